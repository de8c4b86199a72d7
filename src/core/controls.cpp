// The bet, line and credit controls and the keyboard.
#include "core/bet.h"
#include "core/checked.h"
#include "core/machine.h"

namespace velmoran {

void Machine::enablePlayControls(bool enabled) {
    for (std::int16_t i = 1; i <= 6; ++i) view_.setEnabled({Element::play, i}, enabled);
    for (std::int16_t i = 1; i <= 5; ++i) view_.setEnabled({Element::payline, i}, enabled);
    view_.setEnabled(Element::COINSIN, enabled);
}

void Machine::payline_Click(std::int16_t index) {
    if (!accepts(Input::Payline) || index < 1 || index > 5) return;
    state.lines = kPaylineButtonLines[static_cast<std::size_t>(index - 1)];
    updatelinemarkers();
    for (std::int16_t c = 1; c <= 15; ++c) view_.setVisible({Element::flasher, c}, false);
}

void Machine::COINSIN_Click() {
    if (!accepts(Input::CoinsIn)) return;
    view_.setVisible(Element::pannomoney, false);
    checked::add(state.bank, 20);
    checked::add(state.amountinvested, 20);
    showBank();
    view_.setFocus(Element::velmoran);
    view_.setKeyPreview(true);
    saveplayer();
}

void Machine::notes_Click() {
    if (!accepts(Input::Notes)) return;
    checked::add(state.bank, 5000);
    view_.setVisible(Element::pannomoney, false);
    checked::add(state.amountinvested, 5000);
    showBank();
    view_.setKeyPreview(true);
    saveplayer();
}

void Machine::mnuzerocredit_Click() {
    if (!accepts(Input::ZeroCredit) || state.freespinstotal >= 1) return;
    view_.playsound(SoundCue::Click);
    // The credit is paid out, so it no longer counts as invested.
    checked::sub(state.amountinvested, state.bank);
    state.bank = 0;
    showBank();
    // A win still offered to the gamble was paid out with the credit: staking
    // it now would take it from a credit of nothing.
    if (state.gambleoffered) offerGamble(false);
    saveplayer();
}

void Machine::Form_KeyPress(std::int16_t& keyascii) {
    // A key the machine cannot take now goes on unchanged, as a key pressed
    // again during a game always did.
    if (!accepts(Input::Key)) return;
    auto& s = state;
    if (s.freespinstotal >= 1) return;
    if (s.totalBet() > s.bank) {
        view_.playsound(SoundCue::Refused);
        view_.setVisible(Element::pannomoney, true);
        view_.setFocus(Element::velmoran);
        return;
    }
    checked::add(s.keycount, 1);
    if (s.keycount > 1) return;  // a held key, or a key pressed during a game
    if (keyascii == 32) {
        // Before the first game no button has a bet: nothing is pressed and
        // keycount stays 1.
        const std::int16_t button = playButtonForLinebet(s.linebet);
        if (button != 0) {
            play_Click(button);
            s.keycount = 0;
        }
        return;
    }
    keyascii = 32;
    s.keycount = 0;
}

}  // namespace velmoran
