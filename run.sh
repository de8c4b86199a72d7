#!/usr/bin/env bash
# Velmoran's one entry point on a fresh Debian machine:
#   ./run.sh play      install what is missing, build, start the game
#   ./run.sh test      install what is missing, build, run every test
#   ./run.sh logic     the logic and its tests alone, built without Qt
#   ./run.sh sanitize  the same tests built with AddressSanitizer and UBSan
#   ./run.sh fuzz      the WAVE reader's fuzzer for VELMORAN_FUZZ_SECONDS (60)
#   ./run.sh package   the Debian package, in build/default/package
#   ./run.sh lint      clang-format and clang-tidy over the sources (after test)
#   ./run.sh mutate    the mutation run of the logic (options: tools/mutate/mutate.py --help)
set -euo pipefail
cd "$(dirname "$0")"

# What building and playing need.
PLAY_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6
  fonts-comic-neue fonts-liberation fonts-liberation2 fonts-dejavu-core
)
# What the tests, the benchmarks, the tools and the checks add.
PACKAGES=(
  "${PLAY_PACKAGES[@]}"
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libpcg-cpp-dev nlohmann-json3-dev libcairo2-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  xvfb xauth xdotool x11-utils pulseaudio pulseaudio-utils libxcb1-dev python3
)
# Only for the package and its checks.
PACKAGING_PACKAGES=(dpkg-dev file desktop-file-utils appstream man-db)

# install_missing [more packages]: the packages of the tests and the tools
# and the ones named; install_play_missing: only what playing needs.
install_missing() {
  install_these "${PACKAGES[@]}" "$@"
}
install_play_missing() {
  install_these "${PLAY_PACKAGES[@]}"
}
install_these() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

case "${1:-}" in
  play)
    install_play_missing
    build play
    exec ./build/play/src/shell/window/velmoran
    ;;
  test)
    install_missing
    build default
    ctest --preset default
    ;;
  logic)
    install_missing
    # The logic must build without Qt: a Qt include in it fails here.
    cmake -S . -B build/logic -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORAN_WITH_QT=OFF -DVELMORAN_BENCH=OFF >/dev/null
    cmake --build build/logic
    ctest --test-dir build/logic --output-on-failure -j 2
    ;;
  sanitize)
    install_missing
    build sanitize
    # Leaks are reported; only those inside the system's own libraries are
    # suppressed (tests/sanitize/lsan.supp).
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/tests/sanitize/lsan.supp:print_suppressions=0" \
      UBSAN_OPTIONS=print_stacktrace=1 ctest --preset sanitize
    ;;
  fuzz)
    install_missing
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz --target wave_reader_fuzz wave_reader_fuzz_corpus
    corpus=build/fuzz/fuzz/corpus
    mkdir -p "$corpus"
    # New findings go to the corpus; the shipped cues are the seeds.
    ./build/fuzz/tests/fuzz/wave_reader_fuzz -max_total_time="${VELMORAN_FUZZ_SECONDS:-60}" -max_len=8192 \
      -artifact_prefix=build/fuzz/fuzz/ -print_final_stats=1 "$corpus" build/fuzz/fuzz/seeds
    ;;
  lint)
    install_missing
    [ -f build/default/compile_commands.json ] || build default
    # Every C++ file the repository keeps follows .clang-format.
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    # The program's own code is clean of the checks in .clang-tidy.
    run-clang-tidy -quiet -p build/default -j "$(nproc)" "^$PWD/(src|tools)/.*\\.cpp\$" \
      >build/default/clang-tidy.log 2>&1 || { grep -E 'warning:|error:' build/default/clang-tidy.log; exit 1; }
    ;;
  package)
    install_missing "${PACKAGING_PACKAGES[@]}"
    build default
    rm -f build/default/package/*.deb
    (cd build/default && cpack -G DEB -B package)
    ;;
  mutate)
    install_missing
    shift
    exec python3 tools/mutate/mutate.py "$@"
    ;;
  *)
    echo "usage: $0 play|test|logic|sanitize|fuzz|package|lint|mutate" >&2
    exit 2
    ;;
esac
