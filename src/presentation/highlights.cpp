// PLACEHOLDER: the symbol highlight animations are being written.
#include "core/machine.h"

namespace velmoran {
void Machine::Timerscatters_Timer() {}
void Machine::Timer4_Timer() {}
void Machine::timerwild_Timer() {}
}  // namespace velmoran
