// PLACEHOLDER: the card gamble is being written; these bodies do nothing yet.
#include "core/machine.h"

namespace velmoran {
void Machine::doublebutton_Click() {}
void Machine::cancelbet_Click() {}
void Machine::betred_Click() {}
void Machine::betblack_Click() {}
void Machine::suitbet_Click(std::int16_t) {}
}  // namespace velmoran
