// The par sheet's speed: the evaluation of one outcome, the exact
// enumeration of all 22^5 outcomes at 25 lines on one core, and the whole
// game simulated on one core.
#include <benchmark/benchmark.h>

#include "figures.h"
#include "game_sim.h"
#include "reels/outcome.h"

namespace {

using namespace velmoran;

void BM_EvaluateOutcome(benchmark::State& bench) {
    par::PcgDraws draw(1, 0);
    std::array<ReelStops, 1024> stops{};
    for (auto& s : stops)
        for (auto& k : s) k = draw(kStops);
    std::size_t i = 0;
    for (auto _ : bench) {
        const Outcome o = evaluateOutcome(stops[i++ & 1023], 25, 1);
        benchmark::DoNotOptimize(o.spinwin);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_EvaluateOutcome);

// All 5,153,632 outcomes at 25 lines on the calling thread.
void BM_EnumerateAllOutcomes(benchmark::State& bench) {
    const auto lines = static_cast<std::int16_t>(bench.range(0));
    for (auto _ : bench) {
        par::BaseFigures figures;
        for (std::int16_t stop = 1; stop <= kStops; ++stop) par::enumerateReelOneStop(lines, stop, figures);
        benchmark::DoNotOptimize(figures.win);
    }
    bench.SetItemsProcessed(bench.iterations() * 5'153'632);
}
BENCHMARK(BM_EnumerateAllOutcomes)->Arg(25)->Arg(1)->Unit(benchmark::kMillisecond);

// Whole games (held wilds, re-spins, free spins) on one core. "spins" counts
// the spins that stand, "outcomes" also the ones the re-spin rule withdrew.
void BM_SimulateGames(benchmark::State& bench) {
    par::PcgDraws draw(1, 0);
    par::GameSimulator machine(static_cast<std::int16_t>(bench.range(0)), 1);
    std::int64_t spins = 0;
    std::int64_t outcomes = 0;
    for (auto _ : bench) {
        const par::GameRecord game = machine.play(draw);
        spins += game.spins;
        outcomes += game.spins + game.respins;
        benchmark::DoNotOptimize(game.win);
    }
    bench.counters["spins"] = benchmark::Counter(static_cast<double>(spins), benchmark::Counter::kIsRate);
    bench.counters["outcomes"] = benchmark::Counter(static_cast<double>(outcomes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulateGames)->Arg(25)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
