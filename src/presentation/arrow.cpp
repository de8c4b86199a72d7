// PLACEHOLDER: the arrow indicator is being written.
#include "core/machine.h"

namespace velmoran {
void Machine::timerarrow_Timer() {}
void Machine::arrowsound() {}
}  // namespace velmoran
