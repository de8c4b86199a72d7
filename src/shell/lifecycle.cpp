// Start-up and shut-down of the main window, the menus that open the pay
// table and About windows, the screen font check and the link opener.
#include <string>

#include "core/build_config.h"
#include "core/checked.h"
#include "core/machine.h"

namespace velmoran {

namespace {

constexpr std::int32_t kSmallFontsPpi = 96;
// The About window opens showing only its top band.
constexpr std::int32_t kAboutHeightTwips = 1815;

constexpr std::string_view kLargeFontsTitle = "               LARGE FONTS BEING USED !!!";
constexpr std::string_view kLargeFontsText =
    "You are still using Large Fonts!!,This Game Will Not Run Correctly.\r"
    "There is no facility in this software to change them.\r"
    "To Change Manually :-\r"
    "Right Click On DeskTop\r"
    "Select Properties\r"
    "Select Settings\r"
    "Click Advanced Button\r"
    "Select SMALL Fonts (or 96 DPI)\r"
    "A Re-Boot Is Then Required\r"
    "\r"
    "To Change Back After Do The Reverse :-\r";

}  // namespace

bool Machine::IsScreenFontSmall() {
    state.pixelsperinch = display_.pixelsPerInch();
    return state.pixelsperinch == kSmallFontsPpi;
}

bool Machine::Form_Load() {
    auto& s = state;
    if (!IsScreenFontSmall()) {
        view_.messageBox(kLargeFontsText, kLargeFontsTitle, MessageIcon::Information);
        return false;
    }
    // The sound set is loaded by the window before it runs this handler.
    s.currentslot = 1;
    startupload();
    view_.setCaption(Element::velmoran, "Current Player       " + s.currentplayer);
    showBank();
    view_.setMousePointer(MousePointer::Default);
    s.lines = 25;
    updatelinemarkers();
    if (s.reelspeed < 1) s.reelspeed = 1;
    view_.pause(startupPauseMs);
    view_.move(Element::velmoran, 0, 0);
    view_.setFocus({Element::play, 1});
    return true;
}

void Machine::settleInPlay() {
    auto& s = state;
    if (s.gambleshown) {
        // Leaving the gamble pays back what is at risk, as its own way out does.
        checked::add(s.bank, s.atrisk);
        checked::add(s.total, static_cast<std::int64_t>(s.atrisk) - s.gamblestake);
        s.gambleshown = false;
    }
    if (s.freespinstotal > 0) {
        // Collect what the sequence has won so far; spins not yet played are lost.
        checked::add(s.bank, s.freespinwin);
        s.freespinwin = 0;
        s.freespinstotal = 0;
        s.freespinsplayed = 0;
    }
}

void Machine::Form_QueryUnload() {
    view_.playsound(SoundCue::Cue124);
    settleInPlay();
    saveplayer();
    display_.requestDisplayMode(0, 0);
}

void Machine::mnuexit_Click() {
    // The same steps as the close box; unloading the window then runs them
    // once more, with the same values.
    Form_QueryUnload();
    view_.unload(Element::velmoran);
}

void Machine::mnuptble_Click() {
    if (state.freespinstotal >= 1) return;
    view_.playsound(SoundCue::Cue124);
    view_.setVisible(Element::pannomoney, false);
    view_.setEnabled(Element::velmoran, false);
    view_.setVisible(Element::velmoranpays, true);
    view_.move(Element::velmoranpays, 0, 0);
}

void Machine::btnunloadpays_Click() {
    view_.setEnabled(Element::velmoran, true);
    view_.unload(Element::velmoranpays);
}

void Machine::velmoranpays_Unload() {
    view_.setEnabled(Element::velmoran, true);
}

void Machine::mnuabout_Click() {
    if (state.freespinstotal >= 1) return;
    view_.playsound(SoundCue::Cue124);
    view_.setEnabled(Element::velmoran, false);
    view_.setVisible(Element::aboutvelmoran, true);
    view_.setVisible(Element::lblTitle, true);
    view_.resize(Element::aboutvelmoran, GameView::kKeep, kAboutHeightTwips);
    view_.move(Element::aboutvelmoran, 0, 0);
}

void Machine::cmdtarnby_Click() {
    executelink(build::kMakerAddress);
}

void Machine::cmdOK_Click() {
    view_.unload(Element::aboutvelmoran);
    view_.setEnabled(Element::velmoran, true);
}

void Machine::aboutvelmoran_Unload() {
    view_.setEnabled(Element::velmoran, true);
}

void Machine::executelink(std::string_view address) {
    view_.setMousePointer(MousePointer::Hourglass);
    const LinkResult result = display_.openLink(address);
    if (!result.opened) {
        view_.setMousePointer(MousePointer::Default);
        std::string text = "error Opening Link to ";
        text += address;
        text += "\r\n\r\n";
        text += std::to_string(result.lastError);
        view_.messageBox(text, "ExecuteLink", MessageIcon::None);
    }
    view_.setMousePointer(MousePointer::Default);
}

}  // namespace velmoran
