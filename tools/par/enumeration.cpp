// The exact base game: every one of the 22^5 stop combinations valued by the
// machine's evaluation, at 1 coin a line.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "figures.h"
#include "reels/outcome.h"
#include "reels/strips.h"

namespace velmoran::par {

namespace {

std::string halves(std::int32_t h) {
    return h % 2 == 0 ? std::to_string(h / 2) : std::to_string(h / 2) + ".5";
}

double ratio(double numerator, double denominator) {
    return denominator == 0.0 ? 0.0 : numerator / denominator;
}

template <class T, std::size_t N>
void addAll(std::array<T, N>& into, const std::array<T, N>& from) {
    for (std::size_t i = 0; i < N; ++i) into[i] += from[i];
}

// The largest win of one paid spin at 1 coin a line: every line at the top
// pay and the top scatter pay.
std::int32_t winCeiling(std::int16_t lines) {
    std::int32_t top = 0;
    for (const auto& pays : kLinePays)
        for (const auto pay : pays) top = std::max<std::int32_t>(top, pay);
    return lines * top + scatterPay(5).factor * lines;
}

}  // namespace

std::size_t winBin(std::int64_t win, std::int64_t totalbet) noexcept {
    if (win <= 0) return 0;
    for (std::size_t i = 0; i < kBinEdgesHalf.size(); ++i)
        if (2 * win < kBinEdgesHalf[i] * totalbet) return i + 1;
    return kBins - 1;
}

std::string binLabel(std::size_t bin) {
    if (bin == 0) return "no win";
    if (bin == 1) return "under " + halves(kBinEdgesHalf[0]);
    if (bin == kBins - 1) return halves(kBinEdgesHalf.back()) + " and more";
    return halves(kBinEdgesHalf[bin - 2]) + " to " + halves(kBinEdgesHalf[bin - 1]);
}

void BaseFigures::add(const BaseFigures& o) noexcept {
    outcomes += o.outcomes;
    wins += o.wins;
    withdrawable += o.withdrawable;
    win += o.win;
    withdrawablewin += o.withdrawablewin;
    addAll(scatters, o.scatters);
    addAll(withdrawablescatters, o.withdrawablescatters);
    for (std::size_t s = 0; s < linewin.size(); ++s) {
        addAll(linewin[s], o.linewin[s]);
        addAll(withdrawablelinewin[s], o.withdrawablelinewin[s]);
    }
    addAll(linehits, o.linehits);
    addAll(scatterwin, o.scatterwin);
    addAll(withdrawablescatterwin, o.withdrawablescatterwin);
    addAll(bins, o.bins);
    addAll(withdrawablebins, o.withdrawablebins);
    maxwin = std::max(maxwin, o.maxwin);
    winsquares += o.winsquares;
    withdrawablewinsquares += o.withdrawablewinsquares;
}

// After the re-spin rule an outcome counts 7 times when it always stands and
// once when it is withdrawable; the sums below are in those sevenths.
double BaseFigures::returnBefore() const noexcept {
    return ratio(static_cast<double>(win), totalBets());
}
double BaseFigures::returnAfter() const noexcept {
    const double after = 7.0 * static_cast<double>(win - withdrawablewin) + static_cast<double>(withdrawablewin);
    return ratio(after, static_cast<double>(weightAfter()) * lines);
}
double BaseFigures::hitRateBefore() const noexcept {
    return ratio(static_cast<double>(wins), static_cast<double>(outcomes));
}
double BaseFigures::hitRateAfter() const noexcept {
    const double after = 7.0 * static_cast<double>(wins - withdrawable) + static_cast<double>(withdrawable);
    return ratio(after, static_cast<double>(weightAfter()));
}
double BaseFigures::respinsPerSpin() const noexcept {
    // Each spin is withdrawn with probability q = 6/7 x p; the spins before
    // the one that stands number q / (1 - q) on average.
    const double q = 6.0 / 7.0 * ratio(static_cast<double>(withdrawable), static_cast<double>(outcomes));
    return q / (1.0 - q);
}
double BaseFigures::scatterBefore(int count) const noexcept {
    return ratio(static_cast<double>(scatters[static_cast<std::size_t>(count)]), static_cast<double>(outcomes));
}
double BaseFigures::scatterAfter(int count) const noexcept {
    const auto c = static_cast<std::size_t>(count);
    const double after =
        7.0 * static_cast<double>(scatters[c] - withdrawablescatters[c]) + static_cast<double>(withdrawablescatters[c]);
    return ratio(after, static_cast<double>(weightAfter()));
}
double BaseFigures::runReturnBefore(int symbol, int run) const noexcept {
    return ratio(static_cast<double>(linewin[static_cast<std::size_t>(symbol)][static_cast<std::size_t>(run)]),
                 totalBets());
}
double BaseFigures::runReturnAfter(int symbol, int run) const noexcept {
    const auto s = static_cast<std::size_t>(symbol);
    const auto r = static_cast<std::size_t>(run);
    const double after = 7.0 * static_cast<double>(linewin[s][r] - withdrawablelinewin[s][r]) +
                         static_cast<double>(withdrawablelinewin[s][r]);
    return ratio(after, static_cast<double>(weightAfter()) * lines);
}
double BaseFigures::scatterReturnAfter(int count) const noexcept {
    const auto c = static_cast<std::size_t>(count);
    const double after = 7.0 * static_cast<double>(scatterwin[c] - withdrawablescatterwin[c]) +
                         static_cast<double>(withdrawablescatterwin[c]);
    return ratio(after, static_cast<double>(weightAfter()) * lines);
}
double BaseFigures::binBefore(std::size_t bin) const noexcept {
    return ratio(static_cast<double>(bins[bin]), static_cast<double>(outcomes));
}
double BaseFigures::binAfter(std::size_t bin) const noexcept {
    const double after =
        7.0 * static_cast<double>(bins[bin] - withdrawablebins[bin]) + static_cast<double>(withdrawablebins[bin]);
    return ratio(after, static_cast<double>(weightAfter()));
}
double BaseFigures::sdBefore() const noexcept {
    const double mean = ratio(static_cast<double>(win), static_cast<double>(outcomes));
    const double square = ratio(static_cast<double>(winsquares), static_cast<double>(outcomes));
    return std::sqrt(std::max(0.0, square - mean * mean)) / lines;
}
double BaseFigures::sdAfter() const noexcept {
    const double weight = static_cast<double>(weightAfter());
    const double mean =
        (7.0 * static_cast<double>(win - withdrawablewin) + static_cast<double>(withdrawablewin)) / weight;
    const double square =
        (7.0 * static_cast<double>(winsquares - withdrawablewinsquares) + static_cast<double>(withdrawablewinsquares)) /
        weight;
    return std::sqrt(std::max(0.0, square - mean * mean)) / lines;
}

void enumerateReelOneStop(std::int16_t lines, std::int16_t stop1, BaseFigures& into) {
    BaseFigures& f = into;
    // Every win of a spin at 1 coin a line is a whole number of coins below
    // the ceiling, so its bin is looked up, not searched.
    std::vector<std::uint8_t> binOf(static_cast<std::size_t>(winCeiling(lines)) + 1);
    for (std::size_t w = 0; w < binOf.size(); ++w)
        binOf[w] = static_cast<std::uint8_t>(winBin(static_cast<std::int64_t>(w), lines));
    const auto active = static_cast<std::size_t>(std::clamp<int>(lines, 0, kLines));
    f.lines = lines;

    ReelStops stops{stop1, 1, 1, 1, 1};
    for (stops[1] = 1; stops[1] <= kStops; ++stops[1])
        for (stops[2] = 1; stops[2] <= kStops; ++stops[2])
            for (stops[3] = 1; stops[3] <= kStops; ++stops[3])
                for (stops[4] = 1; stops[4] <= kStops; ++stops[4]) {
                    const Outcome o = evaluateOutcome(stops, lines, 1);
                    const std::int64_t w = o.spinwin;
                    const auto scatters = static_cast<std::size_t>(o.scattercount);
                    const bool withdrawable = w > 0 && o.scattercount < 3;
                    const std::size_t bin = binOf[static_cast<std::size_t>(w)];
                    ++f.outcomes;
                    ++f.scatters[scatters];
                    ++f.bins[bin];
                    if (w == 0) continue;
                    ++f.wins;
                    f.win += w;
                    f.winsquares += w * w;
                    f.maxwin = std::max(f.maxwin, w);
                    f.scatterwin[scatters] += o.scatterwin;
                    if (withdrawable) {
                        ++f.withdrawable;
                        f.withdrawablewin += w;
                        f.withdrawablewinsquares += w * w;
                        ++f.withdrawablescatters[scatters];
                        ++f.withdrawablebins[bin];
                        f.withdrawablescatterwin[scatters] += o.scatterwin;
                    }
                    if (o.linewin == 0) continue;
                    for (std::size_t l = 0; l < active; ++l) {
                        if (o.run[l] == 0) continue;
                        const auto s = static_cast<std::size_t>(o.symbol[l]);
                        const auto r = static_cast<std::size_t>(o.run[l]);
                        f.linewin[s][r] += o.pay[l];
                        ++f.linehits[r];
                        if (withdrawable) f.withdrawablelinewin[s][r] += o.pay[l];
                    }
                }
}

BaseFigures enumerateBase(std::int16_t lines, unsigned threads) {
    if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
    threads = std::min<unsigned>(threads, kStops);
    std::vector<BaseFigures> parts(threads);
    std::atomic<int> next{1};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (int stop = next++; stop <= kStops; stop = next++)
                enumerateReelOneStop(lines, static_cast<std::int16_t>(stop), parts[t]);
        });
    }
    for (auto& w : workers) w.join();
    BaseFigures all;
    all.lines = lines;
    for (const auto& p : parts) all.add(p);
    return all;
}

}  // namespace velmoran::par
