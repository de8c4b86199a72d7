#pragma once
// A Machine wired to the recording view, scripted chance, an in-memory store
// and a fake desktop, with a driver that fires the enabled timers against the
// view's virtual clock.

#include <array>
#include <cstdint>
#include <functional>

#include "core/machine.h"
#include "players/options_window.h"
#include "support/fakes.h"
#include "support/recording_view.h"

namespace velmoran::test {

struct Rig {
    RecordingView view;
    ScriptedRandom random;
    MemoryStore store;
    FakeDisplay display;
    Machine machine{view, random, store, display};
    // The options window's logic, beside the machine as in the program.
    OptionsWindow options{machine};

    MachineState& s() { return machine.state; }

    // A game on play button `index` with the given stops, then the re-spin
    // decision `respin` (1 lets a win stand). Held reels take no draw: pass
    // only the stops of the reels that draw.
    void play(std::int16_t index, std::initializer_list<int> stops, int respin = 1);
    void playPaid(std::int16_t index, std::initializer_list<int> stops, int respin = 1) { play(index, stops, respin); }

    // Delivers one tick of the timer, as the window does.
    void tick(Timer t);
    // Called around every tick that runs: before (true) and after (false).
    std::function<void(Timer, bool starting)> onTick;
    // Advances the virtual clock by ms, firing every enabled timer whenever it
    // is due (each tick also advances the clock by its own pauses). Returns
    // the number of ticks fired.
    int runTimers(std::int64_t ms);
    // Runs the timers until `t` stops or `limitMs` passes. Returns true when it stopped.
    bool runUntilStopped(Timer t, std::int64_t limitMs = 600000);

    void noteStarts();
    std::size_t logSeen = 0;
    std::array<std::int64_t, kTimerCount> nextDue{};
    std::array<bool, kTimerCount> wasOn{};
};

}  // namespace velmoran::test
