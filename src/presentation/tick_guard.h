#pragma once
// One tick of a timer at a time. A tick that yields lets the event loop run,
// and a window toolkit may deliver the next tick of the same timer right
// there; that nested tick must not run, or two ticks would interleave their
// counter steps and drawing. The guard is keyed by machine and timer, so
// separate machines (as in the tests) never block each other.

#include "core/elements.h"

namespace velmoran {

class Machine;

class TickGuard {
public:
    TickGuard(const Machine& machine, Timer timer) noexcept;
    ~TickGuard();
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

    // False when a tick of this timer on this machine is already under way.
    [[nodiscard]] bool entered() const noexcept { return entered_; }

private:
    const Machine& machine_;
    Timer timer_;
    bool entered_;
};

}  // namespace velmoran
