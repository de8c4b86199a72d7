// The game cycle: from a play button to the settled spin.
#include "core/checked.h"
#include "core/machine.h"
#include "core/money.h"

namespace velmoran {

namespace {

constexpr std::array<std::int16_t, 6> kLinebetOfPlay{1, 2, 3, 5, 10, 20};

void setPlayControls(GameView& view, bool enabled) {
    for (std::int16_t i = 1; i <= 6; ++i) view.setEnabled({Element::play, i}, enabled);
    for (std::int16_t i = 1; i <= 5; ++i) view.setEnabled({Element::payline, i}, enabled);
    view.setEnabled(Element::COINSIN, enabled);
}

}  // namespace

void Machine::showBank() {
    view_.setCaption(Element::PANELBANK, coinForm(state.bank));
    view_.setCaption(Element::Lblcredit, dollarForm(state.bank));
}

void Machine::showWin(std::int32_t cents) {
    view_.setCaption(Element::LABWIN, coinForm(cents));
    view_.setCaption(Element::lblwin, dollarForm(cents));
}

void Machine::play_Click(std::int16_t index) {
    auto& s = state;
    const bool paid = s.freespinstotal <= 0;
    if (paid) {
        view_.playsound(SoundCue::Cue124);
        s.scattertick = s.scatterframe = s.wildtick = s.wildframe = 0;
        s.emblemframe = s.multiplierframe = s.multiplierlastframe = 0;
        s.collectedwin = s.atrisk = s.freespinwin = s.counted = 0;
        if (index >= 1 && index <= 6) s.linebet = kLinebetOfPlay[static_cast<std::size_t>(index - 1)];
        if (s.totalBet() > s.bank) {
            view_.playsound(SoundCue::Cue125);
            view_.setVisible(Element::pannomoney, true);
            view_.setEnabled(Element::COINSIN, true);
            return;
        }
        view_.setVisible(Element::pannomoney, false);
    }

    setPlayControls(view_, false);
    view_.setTimer(Timer::Timer1, false);
    view_.setTimer(Timer::Timerscatters, false);
    view_.setTimer(Timer::Timer4, false);

    if (paid) {
        view_.setVisible(Element::doublebutton, true);
        view_.setCaption(Element::LABWIN, "Good Luck");
        view_.setCaption(Element::lblwin, " ");
        view_.setCaption(Element::lbllast, coinForm(s.totalBet()));
        showBank();
        view_.setTimer(Timer::Timerwincounter, false);
    }

    s.scattercell.fill(0);
    s.linecount.fill(0);

    spinreel1();

    s.keycount = 0;
    view_.yield();
    setPlayControls(view_, true);
}

}  // namespace velmoran
