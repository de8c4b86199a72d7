// PLACEHOLDER: the win line display cycle is being written.
#include "core/machine.h"

namespace velmoran {
void Machine::Timer1_Timer() {}
}  // namespace velmoran
