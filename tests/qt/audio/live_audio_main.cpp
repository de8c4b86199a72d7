// Plays cues through the real audio output and listens to what reaches the
// sound server, by recording the monitor of its sink with parec:
//   velmoran_live_audio [monitor source]      (default velmoran_null.monitor)
// Run it through live_audio.sh, which starts a private server with a null
// sink. The calling thread is blocked the way the game blocks it (a long
// pause, the reel motion's frame sleeps, the win line ticks), and the
// recording must show the sound going on regardless. Also checks that a
// second cue cuts a looping one, that a looped cue keeps sounding, that a
// silent cue still cuts it, and that losing the server mid-play harms
// nothing. Exit status 0 when every check holds; the figures it prints
// (call times, onset delays) are for reading, not checked. With
// VELMORAN_LIVE_AUDIO_RECORDING set to a path, the whole recording is left
// there (raw mono 16-bit samples at 8000 Hz) for listening.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/elements.h"
#include "shell/audio/cue_player.h"

extern char** environ;

namespace {

using velmoran::SoundCue;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 8000;  // recording rate, mono 16-bit
constexpr int kLoud = 300;   // a sample above this is sound
constexpr std::size_t kMs = kRate / 1000;
constexpr std::size_t kWindow = 100 * kMs;

int failures = 0;

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++failures;
}

// Lets the event loop run (the recorder and the player never need it, but
// the sound server's client library may).
void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Blocks the calling thread as the game's pauses do.
void block(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// parec on a thread of its own, so the recording keeps time while the
// thread that plays the cues is blocked.
class Recorder {
public:
    explicit Recorder(const QString& monitor) {
        int fds[2];
        if (pipe(fds) != 0) return;
        const std::string device = "--device=" + monitor.toStdString();
        const std::string rate = "--rate=" + std::to_string(kRate);
        std::vector<std::string> args{"parec", device, "--format=s16le", rate, "--channels=1", "--latency-msec=10",
                                      "--raw"};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
        if (posix_spawnp(&pid_, "parec", &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        fd_ = fds[0];
        reader_ = std::thread([this] { readLoop(); });
    }
    ~Recorder() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (reader_.joinable()) reader_.join();
        if (fd_ >= 0) close(fd_);
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    bool started() const { return pid_ > 0; }
    std::size_t samples() const {
        std::lock_guard lock(mutex_);
        return data_.size();
    }
    void save(const char* path) const {
        std::lock_guard lock(mutex_);
        if (FILE* f = std::fopen(path, "wb")) {
            std::fwrite(data_.data(), sizeof(std::int16_t), data_.size(), f);
            std::fclose(f);
        }
    }
    // A copy of everything recorded so far, as absolute sample values.
    std::vector<int> take() const {
        std::lock_guard lock(mutex_);
        std::vector<int> v;
        v.reserve(data_.size());
        for (std::int16_t s : data_) v.push_back(std::abs(static_cast<int>(s)));
        return v;
    }

private:
    void readLoop() {
        std::vector<std::uint8_t> buf(4096);
        std::vector<std::uint8_t> carry;
        for (;;) {
            const ssize_t n = read(fd_, buf.data(), buf.size());
            if (n <= 0) return;
            carry.insert(carry.end(), buf.begin(), buf.begin() + n);
            std::lock_guard lock(mutex_);
            std::size_t i = 0;
            for (; i + 1 < carry.size(); i += 2) {
                std::int16_t v;
                std::memcpy(&v, carry.data() + i, 2);
                data_.push_back(v);
            }
            carry.erase(carry.begin(), carry.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::vector<std::int16_t> data_;
};

// What a recording shows.
struct Listen {
    std::vector<int> v;

    std::size_t size() const { return v.size(); }
    // The first loud sample at or after `from`, or size() if none.
    std::size_t onset(std::size_t from) const {
        for (std::size_t i = from; i < v.size(); ++i)
            if (v[i] > kLoud) return i;
        return v.size();
    }
    int peak(std::size_t from, std::size_t to) const {
        int p = 0;
        for (std::size_t i = from; i < std::min(to, v.size()); ++i) p = std::max(p, v[i]);
        return p;
    }
    // The longest run of quiet samples within [from, to).
    std::size_t longestGap(std::size_t from, std::size_t to) const {
        std::size_t run = 0, worst = 0;
        for (std::size_t i = from; i < std::min(to, v.size()); ++i) {
            run = v[i] > kLoud ? 0 : run + 1;
            worst = std::max(worst, run);
        }
        return worst;
    }
    // Bursts of sound within [from, to): the level, taken in 5 ms steps,
    // rises past 40 % of the loudest point after having fallen below 10 %.
    std::vector<std::size_t> bursts(std::size_t from, std::size_t to) const {
        const int top = peak(from, to);
        std::vector<std::size_t> starts;
        bool quiet = true;
        const std::size_t step = 5 * kMs;
        for (std::size_t w = from; w + step <= std::min(to, v.size()); w += step) {
            const int level = peak(w, w + step);
            if (quiet && level * 10 > top * 4) {
                starts.push_back(w);
                quiet = false;
            } else if (!quiet && level * 10 < top) {
                quiet = true;
            }
        }
        return starts;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QString monitor = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("velmoran_null.monitor");

    QElapsedTimer clock;
    clock.start();
    while (QMediaDevices::defaultAudioOutput().isNull() && clock.elapsed() < 3000) wait(50);
    check(!QMediaDevices::defaultAudioOutput().isNull(), "the sound server offers an audio output");
    if (failures) return 1;

    // A null sink's monitor gives nothing while no stream plays into it;
    // a stream of silence keeps it running, so the recording keeps time.
    QProcess keepAlive;
    keepAlive.setStandardInputFile("/dev/zero");
    keepAlive.start("pacat", {"--playback", "--raw", "--format=s16le", "--rate=" + QString::number(kRate),
                              "--channels=1", "--latency-msec=20"});
    check(keepAlive.waitForStarted(3000), "pacat plays silence into the sink");

    Recorder rec(monitor);
    check(rec.started(), "parec records the sink's monitor");
    if (failures) return 1;
    // The record stream takes a moment to deliver its first data.
    clock.restart();
    while (rec.samples() < kWindow && clock.elapsed() < 5000) wait(50);
    check(rec.samples() >= kWindow, "the recording runs");
    check(Listen{rec.take()}.peak(0, rec.samples()) <= kLoud, "the sink is silent before any cue");

    const auto loadStart = Clock::now();
    auto player = velmoran::audio::makeSystemCuePlayer();
    std::printf("loading the 24 cues and starting the player: %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - loadStart).count()));
    std::int64_t worstUs = 0;
    auto play = [&](SoundCue cue, bool looped) {
        const std::size_t at = rec.samples();  // the sound can only appear after this point
        const auto t0 = Clock::now();
        player->play(cue, looped);
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t0).count();
        worstUs = std::max<std::int64_t>(worstUs, us);
        return at;
    };
    auto ms = [](std::size_t samples) { return static_cast<double>(samples) / kMs; };

    // --- Blocked like the game ---------------------------------------------
    // A win sound, then the thread sleeps 1.5 s: the sound starts at once
    // and goes on through the sleep.
    {
        const std::size_t at = play(SoundCue::WinTo150, false);
        block(1500);
        const std::size_t blockEnd = rec.samples();
        play(static_cast<SoundCue>(118), false);  // no such cue: silence
        wait(400);
        const Listen l{rec.take()};
        const std::size_t on = l.onset(at);
        std::printf("cue 109 before a 1.5 s sleep: heard %.0f ms after the call; the sleep ended at %.0f ms\n",
                    ms(on - at), ms(blockEnd - at));
        check(on < at + 400 * kMs, "a cue played before a blocking sleep is heard within 400 ms of the call");
        bool through = on < blockEnd;
        for (std::size_t w = on; w + kWindow <= blockEnd; w += kWindow)
            through = through && l.peak(w, w + kWindow) > kLoud;
        check(through, "it sounds in every 100 ms of the sleep that follows");
    }

    // Five reel stops between the frame sleeps of the motion (ten frames of
    // 16 to 20 ms per reel): five separate thuds.
    {
        const std::size_t at = rec.samples();
        for (int reel = 1; reel <= 5; ++reel) {
            play(SoundCue::ReelStop, false);
            for (int frame = 0; frame < 10; ++frame) block(15 + reel);
        }
        const std::size_t motionEnd = rec.samples();
        wait(700);
        const Listen l{rec.take()};
        const auto bursts = l.bursts(at, l.size());
        std::printf("five reel stops from %zu, in %.0f ms of frame sleeps: %zu bursts at", at, ms(motionEnd - at),
                    bursts.size());
        for (std::size_t b : bursts) std::printf(" %.0f", ms(b - at));
        std::printf(" ms\n");
        check(bursts.size() == 5, "five reel stops during the motion are five separate thuds");
        check(!bursts.empty() && bursts.front() < at + 400 * kMs, "the first thud is heard during the motion");
    }

    // A win jingle while the win lines blink: ten ticks, each yielding to
    // the event loop and then sleeping 150 ms. The jingle runs without a
    // break.
    {
        const std::size_t at = play(SoundCue::WinTo600, false);
        for (int tick = 0; tick < 10; ++tick) {
            QCoreApplication::processEvents();
            block(150);
        }
        const std::size_t ticksEnd = rec.samples();
        play(static_cast<SoundCue>(118), false);
        wait(400);
        const Listen l{rec.take()};
        const std::size_t on = l.onset(at);
        const std::size_t gap = l.longestGap(on, ticksEnd);
        std::printf(
            "cue 113 over ten 150 ms ticks: heard %.0f ms after the call (at %zu), longest gap %.1f ms in %.0f ms\n",
            ms(on - at), on, ms(gap), ms(ticksEnd - std::min(on, ticksEnd)));
        check(on < at + 400 * kMs, "the jingle starts during the first ticks");
        check(ticksEnd > on + 1000 * kMs && gap <= 20 * kMs,
              "the jingle has no gap longer than 20 ms during the ticks");
    }

    // --- The rules of one sound at a time -------------------------------------
    // The free-spin tune, looping, cut after 1.2 s by the 57 ms click.
    const std::size_t tuneAt = play(SoundCue::FreeSpinTune, true);
    wait(1200);
    const std::size_t clickAt = play(SoundCue::Click, false);
    wait(1500);
    {
        const Listen l{rec.take()};
        const std::size_t tuneOn = l.onset(tuneAt);
        std::printf("tune asked at %zu, heard at %zu, click asked at %zu (samples at %d Hz)\n", tuneAt, tuneOn, clickAt,
                    kRate);
        check(tuneOn < clickAt, "cue 117 reaches the server");
        check(l.peak(tuneOn, tuneOn + 10 * kWindow) > 10 * kLoud, "cue 117 sounds at full level");
        // Whatever the latency, 600 ms after the click was asked for all is
        // quiet; the uncut tune would run for 16.9 s.
        const std::size_t quietFrom = clickAt + 6 * kWindow;
        check(l.size() > quietFrom + 5 * kWindow, "the recording covers the time after the click");
        check(l.peak(quietFrom, l.size()) <= kLoud, "cue 124 cut the looping cue 117");
    }

    // A click looped keeps clicking; a silent cue then stops it.
    const std::size_t loopAt = play(SoundCue::Click, true);
    wait(1500);
    const std::size_t stopAt = play(static_cast<SoundCue>(118), false);
    wait(1200);
    {
        const Listen l{rec.take()};
        const std::size_t loopOn = l.onset(loopAt);
        bool everyWindow = loopOn < stopAt;
        for (std::size_t w = loopOn + kWindow; w + 3 * kWindow < stopAt; w += kWindow)
            everyWindow = everyWindow && l.peak(w, w + kWindow) > kLoud;
        check(everyWindow, "cue 124 looped sounds in every 100 ms while it loops");
        check(l.peak(stopAt + 6 * kWindow, l.size()) <= kLoud, "playing a cue with no sound cut the loop");
    }

    // A cue played right after another: the first is cut before any of its
    // tail is heard after the second. The tune's loud, long body would
    // show past the click's 57 ms.
    {
        play(SoundCue::WinOver750, false);
        const std::size_t at = play(SoundCue::Click, false);
        wait(1200);
        const Listen l{rec.take()};
        const std::size_t on = l.onset(at);
        check(on < l.size(), "the second of two cues played at once is heard");
        check(l.peak(on + 3 * kWindow, l.size()) <= kLoud, "nothing of the first cue follows it");
    }

    // A single cue ends by itself.
    {
        const std::size_t at = play(SoundCue::ReelStop, false);
        wait(1200);
        const Listen l{rec.take()};
        const std::size_t on = l.onset(at);
        check(on < l.size(), "cue 116 reaches the server");
        check(l.peak(on + 6 * kWindow, l.size()) <= kLoud, "cue 116 plays once and ends");
    }

    std::printf("slowest play call: %lld us\n", static_cast<long long>(worstUs));
    if (const char* path = std::getenv("VELMORAN_LIVE_AUDIO_RECORDING")) rec.save(path);

    // The sound server goes away in the middle of a long cue: playing on,
    // and closing the player, must neither crash nor hang.
    play(SoundCue::WinOver750, false);
    wait(300);
    QProcess::execute("pactl", {"exit"});
    wait(300);
    for (SoundCue cue : {SoundCue::Click, SoundCue::FreeSpinTune, SoundCue::ReelStop})
        play(cue, cue == SoundCue::FreeSpinTune);
    wait(500);
    player.reset();
    std::printf("the player survived losing the sound server and closed\n");

    keepAlive.kill();
    keepAlive.waitForFinished(2000);
    return failures == 0 ? 0 : 1;
}
