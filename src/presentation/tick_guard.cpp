#include "presentation/tick_guard.h"

#include <array>
#include <utility>

namespace velmoran {

namespace {

using Key = std::pair<const Machine*, Timer>;

// Ticks under way. Everything runs on the one user-interface thread, and a
// nested tick is refused, so at most one entry per machine and timer exists.
struct Running {
    std::array<Key, 32> keys{};
    std::size_t count = 0;
};

Running& running() noexcept {
    static Running list;
    return list;
}

}  // namespace

TickGuard::TickGuard(const Machine& machine, Timer timer) noexcept : machine_(machine), timer_(timer), entered_(true) {
    auto& list = running();
    const Key key{&machine_, timer_};
    for (std::size_t i = 0; i < list.count; ++i) {
        if (list.keys[i] == key) {
            entered_ = false;
            return;
        }
    }
    // With the list full the tick still runs, only unguarded.
    if (list.count < list.keys.size()) list.keys[list.count++] = key;
}

TickGuard::~TickGuard() {
    if (!entered_) return;
    auto& list = running();
    const Key key{&machine_, timer_};
    for (std::size_t i = 0; i < list.count; ++i) {
        if (list.keys[i] == key) {
            list.keys[i] = list.keys[--list.count];
            return;
        }
    }
}

}  // namespace velmoran
