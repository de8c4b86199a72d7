// Free spins: the random multiplier, the counting of a sequence's spins with
// the give-back of every spin but the last, and the automatic next press.
#include <string>

#include "core/bet.h"
#include "core/checked.h"
#include "core/machine.h"
#include "reels/paylines.h"

namespace velmoran {

void Machine::multiplierStep() {
    freespinbusiness();
    checked::mul(state.spinwin, state.multiplier);
}

void Machine::freespinbusiness() {
    auto& s = state;
    const std::int16_t r = drawInt(random_, 25);
    if (r == 1) {
        s.multiplier = 10;
        s.multiplierframe = 23;
    } else if (r <= 5) {
        s.multiplier = 5;
        s.multiplierframe = 31;
    } else if (r <= 14) {
        s.multiplier = 3;
        s.multiplierframe = 27;
    } else {
        s.multiplier = 2;
        s.multiplierframe = 23;
    }
    // The multiplier applies only when a wild lies inside a winning run.
    bool found = false;
    for (int line = 1; line <= s.lines && line <= kLines; ++line) {
        const int count = s.linecount[static_cast<std::size_t>(line)];
        const int examined = count == 2 ? 2 : count == 3 ? 3 : (count == 4 || count == 5) ? 4 : 1;
        for (int reel = 2; reel <= examined; ++reel)
            if (s.wildcell[static_cast<std::size_t>(reel)] == paylineCell(line, reel)) found = true;
    }
    if (!found) s.multiplier = 1;
}

void freespinCounting(Machine& m) {
    auto& s = m.state;
    auto& view = m.view();
    checked::add(s.freespinsplayed, 1);
    view.setVisible(Element::spinsleft, true);
    view.setCaption(Element::spinsleft,
                    "     Freespins Remaining  " + std::to_string(s.freespinstotal - s.freespinsplayed));
    checked::add(s.freespinwin, s.spinwin);
    m.showWin(s.freespinwin);
    if (s.freespinsplayed == s.freespinstotal) {
        s.spindecided = false;
        view.setCaption(Element::spinsleft, "Freespins Completed          ");
        view.setEnabled(Element::takewin, true);
        view.setVisible(Element::takewin, true);
        view.setVisible(Element::LABLASTBET, true);
        view.setVisible(Element::lbllast, true);
        view.setVisible(Element::LABTHISWIN, false);
        view.setVisible(Element::Lblcurrentwin, false);
        m.saveplayer();
        return;
    }
    view.setTimer(Timer::Timerwincounter, true);
    // Every spin of the sequence but the last is given back: the whole
    // sequence costs one bet and counts as one game.
    const std::int16_t bet = s.totalBet();
    checked::sub(s.wager, bet);
    checked::sub(s.games, 1);
    checked::add(s.bank, bet);
    s.spindecided = false;
    m.saveplayer();
}

void Machine::Timerrespin_Timer() {
    if (!accepts(Input::Respin)) return;
    view_.yield();
    view_.setCaption(Element::Lblcurrentwin, "");
    if (const auto button = playButtonForLinebet(state.linebet); button != 0) {
        state.autopress = true;
        play_Click(button);
        state.autopress = false;
    }
    view_.setKeyPreview(false);
}

}  // namespace velmoran
