// The card gamble: a win, or a collected free-spin total, leaves the credit
// and is staked on the colour (double) or the suit (four times) of the next
// card, as often as the bets keep winning. The player leaves with the amount
// at risk; a lost bet ends the gamble with nothing.
#include <array>
#include <string>

#include "core/checked.h"
#include "core/machine.h"
#include "core/money.h"

namespace velmoran {

namespace {

constexpr std::int32_t kHistoryTop = 3960;
constexpr std::array<std::int32_t, 5> kHistorySlotLeft{360, 960, 1560, 2160, 2760};

constexpr std::int32_t kSlideLeft = 700;
constexpr std::int32_t kSlideFirstTop = 10;
constexpr std::int32_t kSlideLastTop = 4800;

constexpr std::int32_t kLoseWaitMs = 3000;

// Images of imagelistcards: 5 is the face-down joker, 6 to 9 the suits.
constexpr std::int16_t kJokerImage = 5;
[[nodiscard]] constexpr std::int16_t cardImage(std::int16_t suit) noexcept {
    return static_cast<std::int16_t>(suit + 5);
}
[[nodiscard]] constexpr Picture cardPicture(std::int16_t image) noexcept {
    return Picture::entry(PictureList::imagelistcards, image);
}

// Suits in the order of the suitbet buttons: 1 hearts, 2 clubs, 3 diamonds, 4 spades.
[[nodiscard]] constexpr bool isRed(std::int16_t suit) noexcept {
    return suit == 1 || suit == 3;
}

constexpr std::array<SoundCue, 4> kSuitWinSound{SoundCue::WinTo450, SoundCue::WinTo300, SoundCue::WinTo300,
                                                SoundCue::WinTo100};

// The suit buttons go with the colour buttons, so that no bet can be placed
// on a gamble that is already lost.
void setBetButtons(GameView& view, bool enabled) {
    view.setEnabled(Element::betred, enabled);
    view.setEnabled(Element::betblack, enabled);
    for (std::int16_t i = 1; i <= 4; ++i) view.setEnabled({Element::suitbet, i}, enabled);
    view.setEnabled(Element::cancelbet, enabled);
}

void showRisk(Machine& m) {
    m.view().setCaption(Element::risklab, "At Risk  " + coinForm(m.state.atrisk));
}

// The two offers are formed in 32 bits like every amount; an offer that
// would not fit keeps the caption it had.
void showOffers(Machine& m) {
    auto& view = m.view();
    std::int32_t colour = m.state.atrisk;
    if (checked::mul(colour, 2)) view.setCaption(Element::lblblackred, "Black/Red Win = " + coinForm(colour));
    std::int32_t suit = m.state.atrisk;
    if (checked::mul(suit, 4)) view.setCaption(Element::lblsuit, "Suit Win = " + coinForm(suit));
}

void hidePanel(Machine& m) {
    m.view().setVisible(Element::pandouble, false);
    m.state.gambleshown = false;
}

// Back to the machine: the bet controls and the keyboard return.
void returnToMachine(Machine& m) {
    auto& view = m.view();
    m.enablePlayControls(true);
    view.setFocus(Element::velmoran);
    view.setKeyPreview(true);
}

// The history row keeps the last five cards, oldest at the left. The first
// five cards fill the buttons in turn; from then on the button holding the
// oldest card moves to the rightmost slot and takes the new card while the
// others shift one slot to the left.
void recordHistory(Machine& m, std::int16_t image) {
    auto& s = m.state;
    auto& view = m.view();
    checked::add(s.historycount, 1);
    if (s.historycount > 10) s.historycount = 6;
    if (s.historycount >= 1 && s.historycount <= 5) {
        const El button{Element::historypic, s.historycount};
        view.setPicture(button, cardPicture(image));
        view.setVisible(button, true);
        return;
    }
    if (s.historycount < 6 || s.historycount > 10) return;
    const int k = s.historycount - 5;
    for (int j = 1; j <= 5; ++j) {
        const int slot = ((j - k - 1) % 5 + 5) % 5 + 1;
        view.move({Element::historypic, static_cast<std::int16_t>(j)},
                  kHistorySlotLeft[static_cast<std::size_t>(slot - 1)], kHistoryTop);
    }
    view.setPicture({Element::historypic, static_cast<std::int16_t>(k)}, cardPicture(image));
}

// Drawn top to bottom in one go, without giving way in between.
void slide(GameView& view, Element picture) {
    view.setVisible(picture, true);
    for (std::int32_t y = kSlideFirstTop; y <= kSlideLastTop; ++y) view.move(picture, kSlideLeft, y);
}

void winSteps(Machine& m, std::int16_t factor, SoundCue winSound) {
    auto& view = m.view();
    view.playsound(winSound);
    // A stake that would pass the width of an amount stays as it is.
    checked::mul(m.state.atrisk, factor);
    m.state.cardresult = 0;
    setBetButtons(view, true);
    showRisk(m);
    showOffers(m);
    slide(view, Element::gamblewin);
}

void loseSteps(Machine& m) {
    auto& s = m.state;
    auto& view = m.view();
    m.offerGamble(false);
    view.playsound(SoundCue::Refused);
    slide(view, Element::gamblelose);
    view.setVisible(Element::lblblackred, false);
    view.setVisible(Element::lblsuit, false);
    view.setCaption(Element::risklab, "No Win  ");
    setBetButtons(view, false);
    // The stake left the credit on entry; the win it came from no longer
    // counts as won, since the gamble returned nothing. The gamble is over
    // from here on, although its panel stays up for a moment.
    checked::sub(s.total, s.gamblestake);
    s.gamblestake = 0;
    s.gambleopen = false;
    s.cardresult = 0;
    view.yield();
    view.pause(kLoseWaitMs);
    hidePanel(m);
    m.showBank();
    view.setCaption(Element::LABWIN, "No Win");
    view.setCaption(Element::lblwin, " ");
    returnToMachine(m);
    m.saveplayer();
}

// Marks a bet's steps as running, so that no other bet and no way out of
// the gamble is taken until this one has settled.
class BetInProgress {
public:
    explicit BetInProgress(MachineState& s) noexcept : s_(s) { s_.betrunning = true; }
    ~BetInProgress() { s_.betrunning = false; }
    BetInProgress(const BetInProgress&) = delete;
    BetInProgress& operator=(const BetInProgress&) = delete;

private:
    MachineState& s_;
};

// The sequence every bet shares; `wins` decides the bet on the drawn suit.
template <typename WinTest>
void placeBet(Machine& m, WinTest wins, std::int16_t factor, SoundCue winSound) {
    if (!m.accepts(Input::Bet)) return;
    auto& s = m.state;
    auto& view = m.view();
    const BetInProgress bet(s);
    view.playsound(SoundCue::Click);
    view.setVisible(Element::gamblewin, false);
    showRisk(m);
    const std::int16_t suit = drawInt(m.random(), 4);
    // The card decides the bet the moment it is drawn; the record follows at
    // once, so that quitting while it is shown neither undoes a loss nor
    // loses a win.
    const bool won = wins(suit);
    s.cardresult = won ? factor : static_cast<std::int16_t>(-1);
    m.saveplayer();
    recordHistory(m, cardImage(suit));
    view.setPicture(Element::piccardholder, cardPicture(cardImage(suit)));
    view.yield();
    if (won) {
        winSteps(m, factor, winSound);
    } else {
        loseSteps(m);
    }
}

}  // namespace

void Machine::doublebutton_Click() {
    // Only while a win is offered, and one gamble at a time: a second entry
    // would stake the credit again.
    if (!accepts(Input::Double)) return;
    auto& s = state;
    view_.playsound(SoundCue::Click);
    view_.setPicture(Element::piccardholder, cardPicture(kJokerImage));
    for (std::int16_t i = 1; i <= 4; ++i) view_.setPicture({Element::suitbet, i}, cardPicture(cardImage(i)));
    for (std::int16_t c = 1; c <= 15; ++c) view_.setVisible({Element::flasher, c}, false);
    view_.setTimer(Timer::Timer1, false);
    view_.setTimer(Timer::Timerscatters, false);
    view_.setTimer(Timer::Timer4, false);
    view_.setTimer(Timer::Timerwincounter, false);
    offerGamble(false);
    view_.setEnabled(Element::COINSIN, false);
    setBetButtons(view_, true);
    view_.setVisible(Element::pandouble, true);
    s.gambleshown = true;
    view_.setVisible(Element::gamblewin, false);
    view_.setVisible(Element::gamblelose, false);
    for (std::int16_t i = 1; i <= 5; ++i) view_.setEnabled({Element::payline, i}, false);
    for (std::int16_t i = 1; i <= 6; ++i) view_.setEnabled({Element::play, i}, false);

    // A collected free-spin total takes precedence over the last spin's win.
    s.atrisk = s.spinwin;
    if (s.collectedwin > 0) s.atrisk = s.collectedwin;
    s.collectedwin = 0;

    showWin(s.atrisk);
    showRisk(*this);
    showOffers(*this);
    view_.setVisible(Element::lblblackred, true);
    view_.setVisible(Element::lblsuit, true);

    s.gamblestake = checked::sub(s.bank, s.atrisk) ? s.atrisk : 0;
    s.gambleopen = true;
    s.cardresult = 0;
    showBank();
    saveplayer();

    view_.setKeyPreview(false);
    view_.yield();
}

void Machine::cancelbet_Click() {
    if (!accepts(Input::CancelBet)) return;
    auto& s = state;
    hidePanel(*this);
    offerGamble(false);
    // What the gamble returned replaces the staked win in the total won. A
    // payout the credit cannot hold is not paid, and then nothing came back.
    if (checked::add(s.bank, s.atrisk)) {
        checked::add(s.total, static_cast<std::int64_t>(s.atrisk) - s.gamblestake);
    } else {
        checked::sub(s.total, s.gamblestake);
    }
    s.gamblestake = 0;
    s.gambleopen = false;
    view_.playsound(SoundCue::WinTo100);
    showBank();
    showWin(s.atrisk);
    returnToMachine(*this);
    saveplayer();
}

void Machine::betred_Click() {
    placeBet(*this, isRed, 2, SoundCue::WinTo120);
}

void Machine::betblack_Click() {
    placeBet(
        *this, [](std::int16_t suit) { return !isRed(suit); }, 2, SoundCue::WinTo21);
}

void Machine::suitbet_Click(std::int16_t index) {
    if (index < 1 || index > 4) return;
    placeBet(
        *this, [index](std::int16_t suit) { return suit == index; }, 4,
        kSuitWinSound[static_cast<std::size_t>(index - 1)]);
}

}  // namespace velmoran
