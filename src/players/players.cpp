// PLACEHOLDER: player slots and the settings store are being written.
#include "core/machine.h"

namespace velmoran {
void Machine::loadplayer(std::int16_t) {}
void Machine::startupload() {}
void Machine::saveplayer() {}
void Machine::clearplayerdetails() {}
void Machine::mnuplayer_Click() {}
}  // namespace velmoran
