// The cost of one complete paid game through the logic, with a view whose
// operations do nothing and whose pauses take no time.
#include <benchmark/benchmark.h>

#include "core/machine.h"

namespace {

using namespace velmoran;

class NullView final : public GameView {
public:
    void setPicture(El, Picture) override {}
    void setCaption(El, std::string_view) override {}
    void setVisible(El, bool) override {}
    void setEnabled(El, bool) override {}
    void setChecked(El, bool) override {}
    void move(El, std::int32_t, std::int32_t) override {}
    void resize(El, std::int32_t, std::int32_t) override {}
    void setLineEnds(El, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void setLineColour(El, Rgb) override {}
    void setFocus(El) override {}
    void setKeyPreview(bool) override {}
    void bringToFront(El) override {}
    void unload(El) override {}
    void setMousePointer(MousePointer) override {}
    void setTimer(Timer, bool) override {}
    void playsound(SoundCue) override {}
    void playsoundlooped(SoundCue) override {}
    void messageBox(std::string_view, std::string_view, MessageIcon) override {}
    void yield() override {}
    void pause(std::int32_t) override {}
};

class NullStore final : public SettingsStore {
public:
    std::string read(std::string_view, std::string_view, std::string_view) override { return {}; }
    void write(std::string_view, std::string_view, std::string_view, std::string_view) override {}
};

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
