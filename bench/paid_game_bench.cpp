// The cost of one complete paid game through the logic, with a view whose
// operations do nothing and whose pauses take no time.
#include <benchmark/benchmark.h>

#include "core/machine.h"
#include "support/null_view.h"

namespace {

using namespace velmoran;

// The tests' view that draws nothing and store that keeps nothing.
using test::NullStore;
using test::NullView;

class NullDisplay final : public DisplayEnvironment {
public:
    std::int32_t pixelsPerInch() override { return 96; }
    void requestDisplayMode(std::int32_t, std::int32_t) override {}
    LinkResult openLink(std::string_view) override { return {true, 0}; }
};

void BM_PaidGame(benchmark::State& bench) {
    NullView view;
    SystemRandom random(12345U);
    NullStore store;
    NullDisplay display;
    Machine machine(view, random, store, display);
    for (auto _ : bench) {
        // Keep the machine out of free spins and in credit, so every
        // iteration is one paid game at 25 lines and 1 coin a line.
        machine.state.freespinstotal = 0;
        machine.state.freespinsplayed = 0;
        machine.state.bank = 1000000;
        machine.play_Click(1);
        benchmark::DoNotOptimize(machine.state.spinwin);
    }
}
BENCHMARK(BM_PaidGame);

}  // namespace

BENCHMARK_MAIN();
