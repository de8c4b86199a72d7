// The one way a timer's tick reaches the machine. A tick that gives way to
// the event loop (the win line pause, the arrow's start sound) may find the
// next tick of the same timer due right there; that tick is dropped, never
// run inside the first, or two ticks would interleave their counters and
// their drawing.
#include "core/machine.h"

namespace velmoran {

void Machine::onTimer(Timer t) {
    bool& running = ticking_[static_cast<std::size_t>(t)];
    if (running) return;
    running = true;
    // Cleared however the tick ends.
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{running};
    switch (t) {
        case Timer::Timer1:
            Timer1_Timer();
            break;
        case Timer::Timerscatters:
            Timerscatters_Timer();
            break;
        case Timer::Timer4:
            Timer4_Timer();
            break;
        case Timer::timerwild:
            timerwild_Timer();
            break;
        case Timer::timerarrow:
            timerarrow_Timer();
            break;
        case Timer::Timerwincounter:
            Timerwincounter_Timer();
            break;
        case Timer::Timerrespin:
            Timerrespin_Timer();
            break;
    }
}

}  // namespace velmoran
