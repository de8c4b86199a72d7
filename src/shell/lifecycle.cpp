// PLACEHOLDER: start-up, shut-down and the menus are being written.
#include "core/machine.h"

namespace velmoran {
bool Machine::Form_Load() { return true; }
void Machine::Form_QueryUnload() {}
void Machine::mnuexit_Click() {}
void Machine::mnuptble_Click() {}
void Machine::btnunloadpays_Click() {}
void Machine::velmoranpays_Unload() {}
void Machine::mnuabout_Click() {}
void Machine::cmdtarnby_Click() {}
void Machine::cmdOK_Click() {}
void Machine::aboutvelmoran_Unload() {}
bool Machine::IsScreenFontSmall() { return true; }
void Machine::executelink(std::string_view) {}
void Machine::settleInPlay() {}
}  // namespace velmoran
