// The options window: player slots, the player's name, clearing the
// statistics, the win counter, the reel speed and the screen size.
#include "players/options_window.h"

#include <array>
#include <string>

#include "core/machine.h"
#include "players/names.h"
#include "players/player_store.h"
#include "players/statistics.h"

namespace velmoran {

namespace {

using players::Occasion;

constexpr std::string_view kMessageTitle = "Slots_Velmoran";

// Reel speed of each setspeed option, fastest first.
constexpr std::array<std::int16_t, 5> kSpeedLevels{1, 2, 4, 8, 10};

// Size of the main window after a change of screen size, frame included.
constexpr std::int32_t kMainWidthTwips = 9765;
constexpr std::int32_t kMainHeightTwips = 7365;

std::string slotCaption(std::string_view name) {
    return name.empty() ? "Vacant" : players::upperName(name);
}

std::string deleteCaption(std::string_view name) {
    return "Delete Currentplayer  (" + std::string(name) + ") Details";
}

std::string mainTitle(std::string_view name) {
    return "Current Player       " + players::upperName(name);
}

players::Figures figuresOf(const MachineState& s) {
    return {s.games, s.wager, s.total, s.bank, s.amountinvested};
}

void showStatistics(GameView& view, const MachineState& s, Occasion occasion) {
    const auto c = players::statisticsCaptions(figuresOf(s), occasion);
    const auto put = [&view](Element e, const std::optional<std::string>& text) {
        if (text) view.setCaption(e, *text);
    };
    put(Element::lblgames, c.lblgames);
    put(Element::lblwager, c.lblwager);
    put(Element::lbltotalwon, c.lbltotalwon);
    put(Element::lblwinlose, c.lblwinlose);
    put(Element::lblreturned, c.lblreturned);
    put(Element::lblinvested, c.lblinvested);
}

void showCurrentPlayer(GameView& view, const MachineState& s, Occasion occasion) {
    view.setCaption(Element::lblcurrentplayer, players::currentPlayerCaption(occasion, s.games, s.currentplayer));
}

// The win counter and reel speed options as the live record has them. A
// reel speed outside the table selects no option.
void showPreferences(GameView& view, const MachineState& s) {
    const bool on = s.winroll == 1;
    view.setCaption({Element::wincounter, 1}, on ? "Wincounter ON " : "");
    view.setCaption({Element::wincounter, 2}, on ? "" : "Wincounter OFF");
    view.setChecked({Element::wincounter, 1}, on);
    view.setChecked({Element::wincounter, 2}, !on);
    for (std::int16_t i = 0; i < static_cast<std::int16_t>(kSpeedLevels.size()); ++i) {
        view.setChecked({Element::setspeed, i}, kSpeedLevels[static_cast<std::size_t>(i)] == s.reelspeed);
    }
}

void hideHighlights(GameView& view) {
    for (std::int16_t c = 1; c <= 15; ++c) view.setVisible({Element::flasher, c}, false);
}

void enableMainWindow(GameView& view) {
    view.setEnabled(Element::velmoran, true);
    view.bringToFront(Element::velmoran);
}

void reelSpeedAtLeastOne(MachineState& s) {
    if (s.reelspeed == 0) s.reelspeed = 1;
}

void changeScreenSize(Machine& m, std::int32_t width, std::int32_t height) {
    m.display().requestDisplayMode(width, height);
    m.view().resize(Element::velmoran, kMainWidthTwips, kMainHeightTwips);
    m.view().move(Element::velmoran, 0, 0);
}

}  // namespace

OptionsWindow::OptionsWindow(Machine& machine) noexcept : m_(machine) {
    m_.attachOptions(this);
}

void OptionsWindow::Form_Load() {
    if (!m_.accepts(Input::OptionsItem)) return;
    auto& s = m_.state;
    auto& view = m_.view();
    view.playsound(SoundCue::Click);
    m_.saveplayer();
    view.setCaption(Element::Btndeletedetails, deleteCaption(s.currentplayer));
    const auto names = players::listNames(m_.store());
    for (std::int16_t k = 1; k <= players::kSlotCount; ++k) {
        view.setCaption({Element::machine, k}, slotCaption(names[static_cast<std::size_t>(k - 1)]));
    }
    const std::int16_t slot = s.currentslot;
    view.setChecked({Element::machine, slot}, true);
    machine_Click(slot);
    showPreferences(view, s);
    showCurrentPlayer(view, s, Occasion::Opening);
    showStatistics(view, s, Occasion::Opening);
}

void OptionsWindow::machine_Click(std::int16_t slot) {
    if (!m_.accepts(Input::OptionsItem) || slot < 1 || slot > players::kSlotCount) return;
    auto& s = m_.state;
    auto& view = m_.view();
    m_.loadplayer(slot);
    view.setFocus(Element::player1);
    view.yield();
    // Another slot chosen during the yield has already shown itself; going on
    // would put its name on this slot's button.
    if (s.currentslot != slot) return;
    showCurrentPlayer(view, s, Occasion::SlotChoice);
    m_.showBank();
    view.setCaption(Element::velmoran, mainTitle(s.currentplayer));
    view.setCaption({Element::machine, slot}, slotCaption(s.currentplayer));
    view.setCaption(Element::Btndeletedetails, deleteCaption(s.currentplayer));
    showStatistics(view, s, Occasion::SlotChoice);
    showPreferences(view, s);
}

void OptionsWindow::player1_KeyPress(std::int16_t& keyascii, std::string_view boxText) {
    if (!m_.accepts(Input::OptionsItem)) return;
    auto& s = m_.state;
    auto& view = m_.view();
    if (keyascii != 13) {
        view.setCaption(Element::Btndeletedetails, deleteCaption(s.currentplayer));
        return;
    }
    keyascii = 0;
    const std::size_t length = players::nameLength(boxText);
    if (length == 0 || length > players::kMaxNameLength) {
        view.messageBox(length == 0 ? "Nothing Entered" : "Name Too Long", kMessageTitle, MessageIcon::Information);
        view.setCaption(Element::player1, "");
        showCurrentPlayer(view, s, Occasion::NameEntered);
        return;
    }
    s.currentplayer = std::string(boxText);
    view.setCaption(Element::player1, "");
    showCurrentPlayer(view, s, Occasion::NameEntered);
    m_.showBank();
    view.setCaption(Element::velmoran, mainTitle(s.currentplayer));
    view.setCaption({Element::machine, s.currentslot}, slotCaption(s.currentplayer));
    m_.saveplayer();
    view.setCaption(Element::Btndeletedetails, deleteCaption(s.currentplayer));
}

void OptionsWindow::Btndeletedetails_Click() {
    if (!m_.accepts(Input::OptionsItem)) return;
    auto& s = m_.state;
    auto& view = m_.view();
    m_.clearplayerdetails();
    showCurrentPlayer(view, s, Occasion::DeleteDetails);
    showStatistics(view, s, Occasion::DeleteDetails);
    view.setCaption(Element::Lblcredit, "");
    view.setCaption(Element::PANELBANK, "");
}

void OptionsWindow::wincounter_Click(std::int16_t index) {
    if (!m_.accepts(Input::OptionsItem)) return;
    auto& s = m_.state;
    auto& view = m_.view();
    if (index == 1) {
        s.winroll = 1;
        view.setCaption({Element::wincounter, 1}, "Wincounter ON");
        view.setCaption({Element::wincounter, 2}, "");
    } else if (index == 2) {
        s.winroll = 0;
        view.setCaption({Element::wincounter, 2}, "Wincounter OFF");
        view.setCaption({Element::wincounter, 1}, "");
    }
}

void OptionsWindow::setspeed_Click(std::int16_t index) {
    if (!m_.accepts(Input::OptionsItem)) return;
    if (index < 0 || index >= static_cast<std::int16_t>(kSpeedLevels.size())) return;
    m_.state.reelspeed = kSpeedLevels[static_cast<std::size_t>(index)];
    m_.view().setCaption(Element::speedlab, "Current Speed =   " + std::to_string(index + 1));
}

void OptionsWindow::SSOption1_Click() {
    if (!m_.accepts(Input::OptionsItem)) return;
    changeScreenSize(m_, 800, 600);
}

void OptionsWindow::SSOption2_Click() {
    if (!m_.accepts(Input::OptionsItem)) return;
    changeScreenSize(m_, 640, 480);
}

void OptionsWindow::btnokplayer_Click() {
    if (!m_.accepts(Input::OptionsItem)) return;
    auto& s = m_.state;
    auto& view = m_.view();
    view.playsound(SoundCue::Click);
    m_.saveplayer();
    view.setCaption(Element::player1, "");
    enableMainWindow(view);
    hideHighlights(view);
    reelSpeedAtLeastOne(s);
    Form_Unload();
}

void OptionsWindow::Form_Unload() {
    if (!m_.accepts(Input::OptionsItem)) return;
    auto& s = m_.state;
    auto& view = m_.view();
    view.playsound(SoundCue::Click);
    view.setEnabled(Element::velmoran, true);
    hideHighlights(view);
    m_.offerGamble(false);
    reelSpeedAtLeastOne(s);
    m_.saveplayer();
    view.setCaption(Element::player1, "");
    enableMainWindow(view);
    hideHighlights(view);
    reelSpeedAtLeastOne(s);
    view.setVisible(Element::frmvelmoranoptions, false);
    s.auxwindow = AuxWindow::None;
    view.unload(Element::frmvelmoranoptions);
}

}  // namespace velmoran
