#include "support/rig.h"

#include <algorithm>
#include <limits>

namespace velmoran::test {

void Rig::play(std::int16_t index, std::initializer_list<int> stops, int respin) {
    random.pushStops(stops);
    random.pushRespin(respin);
    machine.play_Click(index);
}

void Rig::tick(Timer t) {
    if (onTick) onTick(t, true);
    machine.onTimer(t);
    if (onTick) onTick(t, false);
}

void Rig::noteStarts() {
    // A timer switched on since we last looked starts its interval now (a
    // start of a timer that was already on restarts nothing, as with a real
    // timer whose enabled flag is set again).
    if (logSeen > view.timerLog.size()) logSeen = 0;
    for (; logSeen < view.timerLog.size(); ++logSeen) {
        const auto [t, on] = view.timerLog[logSeen];
        const auto i = static_cast<std::size_t>(t);
        if (on && !wasOn[i]) nextDue[i] = view.clockMs + kTimerInfo[i].intervalMs;
        wasOn[i] = on;
    }
}

int Rig::runTimers(std::int64_t ms) {
    const std::int64_t end = view.clockMs + ms;
    int fired = 0;
    for (;;) {
        noteStarts();
        std::int64_t due = std::numeric_limits<std::int64_t>::max();
        std::size_t which = kTimerCount;
        for (std::size_t i = 0; i < kTimerCount; ++i) {
            if (view.timers[i] && nextDue[i] < due) {
                due = nextDue[i];
                which = i;
            }
        }
        if (which == kTimerCount || due > end) break;
        view.clockMs = std::max(view.clockMs, due);
        // The next tick is due one interval on, or at once if this tick overran it.
        nextDue[which] = due + kTimerInfo[which].intervalMs;
        tick(static_cast<Timer>(which));
        ++fired;
        nextDue[which] = std::max(nextDue[which], view.clockMs);
    }
    view.clockMs = std::max(view.clockMs, end);
    return fired;
}

bool Rig::runUntilStopped(Timer t, std::int64_t limitMs) {
    const std::int64_t end = view.clockMs + limitMs;
    while (view.timerOn(t) && view.clockMs < end) runTimers(50);
    return !view.timerOn(t);
}

}  // namespace velmoran::test
