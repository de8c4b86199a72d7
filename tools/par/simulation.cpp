// The whole game sampled: paid games with their sequences, on every core,
// one independent stream per batch.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "figures.h"
#include "game_sim.h"

namespace velmoran::par {

namespace {

struct BatchTotals {
    double games = 0;
    double win = 0;  // in total bets, like every amount here
    double winsquares = 0;
    double hits = 0;
    double sequences = 0;
    double freespins = 0;
    double sequencewin = 0;
    double spins = 0;
    double respins = 0;
    double retriggers = 0;
    double paidlines = 0;
    double paidscatters = 0;
    std::array<std::uint64_t, kBins> bins{};
    double maxwin = 0;
};

BatchTotals playBatch(std::int16_t lines, std::uint64_t seed, std::uint32_t batch, std::uint64_t games) {
    PcgDraws draw(seed, batch);
    GameSimulator machine(lines, 1);
    BatchTotals t;
    const double bet = lines;
    for (std::uint64_t g = 0; g < games; ++g) {
        const GameRecord game = machine.play(draw);
        const double win = static_cast<double>(game.win) / bet;
        t.win += win;
        t.winsquares += win * win;
        t.hits += game.win > 0 ? 1 : 0;
        t.spins += game.spins;
        t.respins += game.respins;
        t.paidlines += game.paidlinewin / bet;
        t.paidscatters += game.paidscatterwin / bet;
        if (game.freespins > 0) {
            t.sequences += 1;
            t.freespins += game.freespins;
            t.sequencewin += static_cast<double>(game.sequencewin) / bet;
            t.retriggers += game.retriggers;
        }
        ++t.bins[winBin(game.win, lines)];
        t.maxwin = std::max(t.maxwin, win);
    }
    t.games = static_cast<double>(games);
    return t;
}

// A ratio of sums over the batches, with the 95 % half-width of the batch
// means (the batches are independent; the games within one are not quite,
// as a held wild carries from one game into the next).
Estimate ratioEstimate(const std::vector<BatchTotals>& batches, double BatchTotals::*num, double BatchTotals::*den) {
    double y = 0;
    double x = 0;
    for (const auto& b : batches) {
        y += b.*num;
        x += b.*den;
    }
    Estimate e;
    if (x == 0) return e;
    e.value = y / x;
    const auto n = static_cast<double>(batches.size());
    if (n < 2) return e;
    double spread = 0;
    for (const auto& b : batches) {
        const double residual = b.*num - e.value * b.*den;
        spread += residual * residual;
    }
    e.halfwidth = 1.96 * std::sqrt(spread / (n * (n - 1))) / (x / n);
    return e;
}

// The standard deviation of a game's win, and its half-width by the delta
// method on the batches' sums of wins and of squared wins.
Estimate volatilityEstimate(const std::vector<BatchTotals>& batches) {
    double games = 0, sum = 0, squares = 0;
    for (const auto& b : batches) {
        games += b.games;
        sum += b.win;
        squares += b.winsquares;
    }
    Estimate e;
    if (games == 0) return e;
    const double mean = sum / games;
    const double variance = std::max(0.0, squares / games - mean * mean);
    e.value = std::sqrt(variance);
    const auto n = static_cast<double>(batches.size());
    if (n < 2 || e.value == 0) return e;
    double spread = 0;
    for (const auto& b : batches) {
        const double influence = b.winsquares - 2 * mean * b.win + (mean * mean - variance) * b.games;
        spread += influence * influence;
    }
    const double varianceHalfwidth = 1.96 * std::sqrt(spread / (n * (n - 1))) / (games / n);
    e.halfwidth = varianceHalfwidth / (2 * e.value);
    return e;
}

}  // namespace

GameFigures simulateGames(const MonteCarloConfig& config) {
    const auto start = std::chrono::steady_clock::now();
    const std::uint32_t batches =
        static_cast<std::uint32_t>(std::max<std::uint64_t>(1, std::min<std::uint64_t>(config.batches, config.games)));
    unsigned threads = config.threads == 0 ? std::max(1U, std::thread::hardware_concurrency()) : config.threads;
    threads = std::min(threads, batches);

    std::vector<BatchTotals> totals(batches);
    std::atomic<std::uint32_t> next{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (std::uint32_t b = next++; b < batches; b = next++) {
                const std::uint64_t games = config.games / batches + (b < config.games % batches ? 1 : 0);
                totals[b] = playBatch(config.lines, config.seed, b, games);
            }
        });
    }
    for (auto& w : workers) w.join();

    GameFigures f;
    f.lines = config.lines;
    f.games = config.games;
    f.seed = config.seed;
    f.batches = batches;
    using B = BatchTotals;
    f.rtp = ratioEstimate(totals, &B::win, &B::games);
    f.hitrate = ratioEstimate(totals, &B::hits, &B::games);
    f.sequences = ratioEstimate(totals, &B::sequences, &B::games);
    f.freespins = ratioEstimate(totals, &B::freespins, &B::sequences);
    f.sequencewin = ratioEstimate(totals, &B::sequencewin, &B::sequences);
    f.respins = ratioEstimate(totals, &B::respins, &B::spins);
    f.spins = ratioEstimate(totals, &B::spins, &B::games);
    f.retriggers = ratioEstimate(totals, &B::retriggers, &B::sequences);
    f.paidlines = ratioEstimate(totals, &B::paidlines, &B::games);
    f.paidscatters = ratioEstimate(totals, &B::paidscatters, &B::games);
    f.volatility = volatilityEstimate(totals);
    // What the free spins add is the rest of the return.
    for (auto& b : totals) b.sequencewin = b.win - b.paidlines - b.paidscatters;
    f.freespinreturn = ratioEstimate(totals, &B::sequencewin, &B::games);
    std::uint64_t evaluated = 0;
    for (const auto& b : totals) {
        for (std::size_t i = 0; i < kBins; ++i) f.bins[i] += static_cast<double>(b.bins[i]);
        f.maxwin = std::max(f.maxwin, b.maxwin);
        evaluated += static_cast<std::uint64_t>(b.spins + b.respins);
    }
    for (auto& share : f.bins) share /= static_cast<double>(config.games);
    f.evaluated = evaluated;
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return f;
}

}  // namespace velmoran::par
