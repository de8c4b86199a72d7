#pragma once
// The logic of the options window `frmvelmoranoptions`: choosing, naming and
// clearing a player slot, the win counter, the reel speed and the screen
// size, and the statistics it shows. Its widgets call these handlers; it
// reaches them only through the Machine's GameView.

#include <cstdint>
#include <string_view>

#include "core/ports/options_dialog.h"

namespace velmoran {

class Machine;

// Made beside the Machine by the machine's owner, which keeps it as long as
// the machine takes input; it attaches itself to the machine when made.
class OptionsWindow final : public OptionsDialog {
public:
    explicit OptionsWindow(Machine& machine) noexcept;
    OptionsWindow(const OptionsWindow&) = delete;
    OptionsWindow& operator=(const OptionsWindow&) = delete;

    // The window's load: runs when Machine::mnuplayer_Click opens it.
    void Form_Load() override;
    void machine_Click(std::int16_t slot);  // slot 1 to 6
    // A key in the name box `player1`; `boxText` is the box's text before
    // the key. Enter (13) is consumed: keyascii becomes 0.
    void player1_KeyPress(std::int16_t& keyascii, std::string_view boxText);
    void Btndeletedetails_Click();
    void wincounter_Click(std::int16_t index);  // 1: on, 2: off
    void setspeed_Click(std::int16_t index);    // 0 (fastest) to 4
    void SSOption1_Click();                     // 800 x 600
    void SSOption2_Click();                     // 640 x 480
    void btnokplayer_Click();                   // its own steps, then the window closes
    void Form_Unload();                         // the close steps (close box, or after the OK button)

private:
    Machine& m_;
};

}  // namespace velmoran
