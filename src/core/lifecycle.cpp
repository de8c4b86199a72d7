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
    // No input is taken until the pause below is over; the window's thread
    // blocks through it, and what queues up meanwhile finds the machine ready.
    s.loading = true;
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
    s.loading = false;
    return true;
}

void Machine::Form_QueryUnload(std::int16_t& cancel, UnloadMode unloadmode) {
    // While an auxiliary window is open the main window is disabled, and the
    // close box of a disabled window does nothing. The program itself (the
    // exit menu, the system ending the session) always shuts down.
    if (unloadmode == UnloadMode::ControlMenu && state.auxwindow != AuxWindow::None) {
        cancel = 1;
        return;
    }
    view_.playsound(SoundCue::Click);
    // What is in play is written settled, as every save writes it; a second
    // pass (the exit menu's) writes the same values again.
    if (!finalRecord_) finalRecord_ = settledRecord();
    writeRecord(*finalRecord_, false);
    state.shutdown = true;
    display_.requestDisplayMode(0, 0);
}

void Machine::mnuexit_Click() {
    if (!accepts(Input::Exit)) return;
    // The same steps as the close box; unloading the window then runs them
    // once more, with the same values.
    std::int16_t cancel = 0;
    Form_QueryUnload(cancel, UnloadMode::Code);
    view_.unload(Element::velmoran);
}

void Machine::mnuptble_Click() {
    if (!accepts(Input::PayTable) || state.freespinstotal >= 1) return;
    view_.playsound(SoundCue::Click);
    view_.setVisible(Element::pannomoney, false);
    view_.setEnabled(Element::velmoran, false);
    state.auxwindow = AuxWindow::PayTable;
    view_.setVisible(Element::velmoranpays, true);
    view_.move(Element::velmoranpays, 0, 0);
}

void Machine::btnunloadpays_Click() {
    if (!accepts(Input::PayTableItem)) return;
    view_.setEnabled(Element::velmoran, true);
    state.auxwindow = AuxWindow::None;
    view_.unload(Element::velmoranpays);
}

void Machine::velmoranpays_Unload() {
    if (!accepts(Input::PayTableItem)) return;
    view_.setEnabled(Element::velmoran, true);
    state.auxwindow = AuxWindow::None;
}

void Machine::mnuabout_Click() {
    if (!accepts(Input::About) || state.freespinstotal >= 1) return;
    view_.playsound(SoundCue::Click);
    view_.setEnabled(Element::velmoran, false);
    state.auxwindow = AuxWindow::About;
    view_.setVisible(Element::aboutvelmoran, true);
    view_.setVisible(Element::lblTitle, true);
    view_.resize(Element::aboutvelmoran, GameView::kKeep, kAboutHeightTwips);
    view_.move(Element::aboutvelmoran, 0, 0);
}

void Machine::cmdtarnby_Click() {
    if (!accepts(Input::AboutItem)) return;
    executelink(build::kMakerAddress);
}

void Machine::cmdOK_Click() {
    if (!accepts(Input::AboutItem)) return;
    state.auxwindow = AuxWindow::None;
    view_.unload(Element::aboutvelmoran);
    view_.setEnabled(Element::velmoran, true);
}

void Machine::aboutvelmoran_Unload() {
    if (!accepts(Input::AboutItem)) return;
    state.auxwindow = AuxWindow::None;
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
