// PLACEHOLDER: player slots and the settings store are being written.
#include "core/machine.h"
#include "players/options_window.h"

namespace velmoran {
void Machine::loadplayer(std::int16_t) {}
void Machine::startupload() {}
void Machine::saveplayer() {}
void Machine::clearplayerdetails() {}
void Machine::mnuplayer_Click() {}
}  // namespace velmoran

namespace velmoran {
void OptionsWindow::Form_Load() {}
void OptionsWindow::machine_Click(std::int16_t) {}
void OptionsWindow::player1_KeyPress(std::int16_t&, std::string_view) {}
void OptionsWindow::Btndeletedetails_Click() {}
void OptionsWindow::wincounter_Click(std::int16_t) {}
void OptionsWindow::setspeed_Click(std::int16_t) {}
void OptionsWindow::SSOption1_Click() {}
void OptionsWindow::SSOption2_Click() {}
void OptionsWindow::btnokplayer_Click() {}
void OptionsWindow::Form_Unload() {}
}  // namespace velmoran
