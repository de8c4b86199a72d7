// The game cycle: from a play button to the settled spin.
#include "core/bet.h"
#include "core/checked.h"
#include "core/machine.h"
#include "core/money.h"

namespace velmoran {

namespace {

// Marks the game as running for as long as play_Click is on the stack, also
// when a refused bet ends it early.
class GameInProgress {
public:
    explicit GameInProgress(MachineState& s) noexcept : s_(s) { s_.gamerunning = true; }
    ~GameInProgress() { s_.gamerunning = false; }
    GameInProgress(const GameInProgress&) = delete;
    GameInProgress& operator=(const GameInProgress&) = delete;

private:
    MachineState& s_;
};

}  // namespace

void Machine::offerGamble(bool offered) {
    state.gambleoffered = offered;
    view_.setEnabled(Element::doublebutton, offered);
}

void Machine::showBank() {
    view_.setCaption(Element::PANELBANK, coinForm(state.bank));
    view_.setCaption(Element::Lblcredit, dollarForm(state.bank));
}

void Machine::showWin(std::int32_t cents) {
    view_.setCaption(Element::LABWIN, coinForm(cents));
    view_.setCaption(Element::lblwin, dollarForm(cents));
}

void Machine::play_Click(std::int16_t index) {
    if (!accepts(Input::Play)) return;
    auto& s = state;
    const GameInProgress game(s);
    const bool paid = s.freespinstotal <= 0;
    if (paid) {
        view_.playsound(SoundCue::Click);
        s.scattertick = s.scatterframe = s.wildtick = s.wildframe = 0;
        s.emblemframe = s.multiplierframe = s.multiplierlastframe = 0;
        s.collectedwin = s.atrisk = s.freespinwin = s.counted = 0;
        if (index >= 1 && index <= 6) s.linebet = kLinebetOfPlay[static_cast<std::size_t>(index - 1)];
        if (s.totalBet() > s.bank) {
            view_.playsound(SoundCue::Refused);
            view_.setVisible(Element::pannomoney, true);
            view_.setEnabled(Element::COINSIN, true);
            return;
        }
        view_.setVisible(Element::pannomoney, false);
    }

    enablePlayControls(false);
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
    enablePlayControls(true);
    // The keyboard goes back to the bet being played: the button that had it
    // was disabled for the game, and no key may press one the player did not
    // choose. While free spins hide the buttons the window keeps it.
    if (s.freespinstotal == 0 && !s.gambleshown && !s.shutdown) {
        if (const auto button = playButtonForLinebet(s.linebet); button != 0) view_.setFocus({Element::play, button});
    }
}

}  // namespace velmoran
