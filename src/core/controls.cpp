// The bet, line and credit controls and the keyboard.
#include "core/checked.h"
#include "core/machine.h"
#include "reels/paylines.h"

namespace velmoran {

void Machine::payline_Click(std::int16_t index) {
    if (index < 1 || index > 5) return;
    state.lines = kPaylineButtonLines[static_cast<std::size_t>(index - 1)];
    updatelinemarkers();
    for (std::int16_t c = 1; c <= 15; ++c) view_.setVisible({Element::flasher, c}, false);
}

void Machine::COINSIN_Click() {
    view_.setVisible(Element::pannomoney, false);
    checked::add(state.bank, 20);
    checked::add(state.amountinvested, 20);
    showBank();
    view_.setFocus(Element::velmoran);
    view_.setKeyPreview(true);
    saveplayer();
}

void Machine::notes_Click() {
    checked::add(state.bank, 5000);
    view_.setVisible(Element::pannomoney, false);
    checked::add(state.amountinvested, 5000);
    showBank();
    view_.setKeyPreview(true);
    saveplayer();
}

void Machine::mnuzerocredit_Click() {
    if (state.freespinstotal >= 1) return;
    view_.playsound(SoundCue::Cue124);
    // The credit is paid out, so it no longer counts as invested.
    checked::sub(state.amountinvested, state.bank);
    state.bank = 0;
    showBank();
    saveplayer();
}

void Machine::Form_KeyPress(std::int16_t& keyascii) {
    auto& s = state;
    if (s.freespinstotal >= 1) return;
    if (s.totalBet() > s.bank) {
        view_.playsound(SoundCue::Cue125);
        view_.setVisible(Element::pannomoney, true);
        view_.setFocus(Element::velmoran);
        return;
    }
    checked::add(s.keycount, 1);
    if (s.keycount > 1) return;  // a held key, or a key pressed during a game
    if (keyascii == 32) {
        std::int16_t button = 0;
        switch (s.linebet) {
            case 1: button = 1; break;
            case 2: button = 2; break;
            case 3: button = 3; break;
            case 5: button = 4; break;
            case 10: button = 5; break;
            case 20: button = 6; break;
            default: break;  // no game yet: nothing is pressed and keycount stays 1
        }
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
