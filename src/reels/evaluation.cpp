// evaluatespin: turns the recorded outcome into the spin's win, books the
// game, applies the re-spin rule and then shows and settles the result.
#include "core/checked.h"
#include "core/machine.h"
#include "reels/outcome.h"
#include "reels/paylines.h"
#include "reels/paytable.h"

namespace velmoran {

void reelMotion(Machine& m);  // reels/reel_motion.cpp

namespace {

void startOfEvaluation(MachineState& s) {
    if (s.freespinstotal < 1) {
        s.freespinwin = 0;
        s.multiplier = 1;
    }
    s.spinwin = 0;
    s.atrisk = 0;
    s.linewon.fill(0);
}

void scatterPayStep(MachineState& s, const Outcome& outcome) {
    checked::add(s.spinwin, outcome.scatterwin);
}

void linePays(MachineState& s, const Outcome& outcome) {
    for (int line = 1; line <= s.lines && line <= kLines; ++line) {
        const LineResult result = outcome.line(line);
        if (result.run == 0) continue;
        const auto l = static_cast<std::size_t>(line);
        checked::add(s.spinwin, result.cents);
        s.linewon[l] = static_cast<std::int16_t>(line);
        s.linecount[l] = result.run;
    }
}

// The stops the reel procedures recorded, the held reels' included.
ReelStops recordedStops(const MachineState& s) {
    ReelStops stops{};
    for (int reel = 1; reel <= kReels; ++reel)
        stops[static_cast<std::size_t>(reel - 1)] = s.reelstop[static_cast<std::size_t>(reel)];
    return stops;
}

// The win line cycle starts its search at line 1 with a hidden tick.
void startWinLines(Machine& m) {
    m.state.showline = 26;
    m.state.blinkphase = 26;
    m.view().setTimer(Timer::Timer1, true);
}

void bookkeeping(MachineState& s) {
    const std::int16_t bet = s.totalBet();
    checked::add(s.total, s.spinwin);
    checked::add(s.wager, bet);
    checked::add(s.games, 1);
    checked::sub(s.bank, bet);
}

}  // namespace

void Machine::evaluatespin() {
    auto& s = state;
    if (s.reelspeed == 0) s.reelspeed = 1;
    startOfEvaluation(s);
    const Outcome outcome = evaluateOutcome(recordedStops(s), s.lines, s.linebet);
    scatterPayStep(s, outcome);
    linePays(s, outcome);
    if (s.spinwin > 0) s.countstep = 1;
    if (s.freespinsplayed > 0 || s.freespinsplayed == s.freespinstotal - 1) multiplierStep();
    bookkeeping(s);

    // The re-spin rule: most winning outcomes are withdrawn before any reel
    // moves, and the machine spins again.
    const std::int16_t t = drawInt(random_, 7);
    const bool stands =
        t == 1 || s.scattercount >= 3 || s.heldreel2 > 0 || s.heldreel3 > 0 || s.heldreel4 > 0 || s.spinwin <= 0;
    if (!stands) {
        const std::int16_t bet = s.totalBet();
        checked::sub(s.wager, bet);
        checked::sub(s.total, s.spinwin);
        checked::add(s.bank, bet);
        checked::sub(s.games, 1);
        s.spinwin = 0;
        s.scattercount = 0;
        s.multiplier = 1;
        s.holdreel2 = s.holdreel3 = s.holdreel4 = 0;
        s.linecount.fill(0);
        respinRequested_ = true;  // spinreel1 runs the whole chain again
        return;
    }

    // The outcome stands: the record holds it, win included, before anything
    // moves, so a crash during the motion neither undoes the bet nor loses
    // the win.
    s.spindecided = true;
    saveplayer();

    if (s.freespinstotal < 1) showBank();
    reelMotion(*this);

    if (s.scattercount > 1) view_.setTimer(Timer::Timerscatters, true);
    if (s.scattercount >= 3) {
        triggerBranch();
    } else {
        lineDisplays();
        if (s.freespinstotal <= 1) winSound();
    }
    settleSpin();
}

void Machine::lineDisplays() {
    auto& s = state;
    if (s.spinwin < 1) return;
    for (int line = 1; line <= s.lines && line <= kLines; ++line) {
        const auto l = static_cast<std::size_t>(line);
        if (s.wildline[l] > 0 && s.freespinsplayed == 0) view_.setTimer(Timer::Timer4, true);
        if (s.wildline[l] > 0) view_.setTimer(Timer::timerwild, true);
        if (s.linecount[l] >= 2) startWinLines(*this);
    }
}

void Machine::triggerBranch() {
    auto& s = state;
    if (s.arrowtick == 0) {
        view_.setTimer(Timer::timerarrow, true);
        view_.setVisible(Element::arrowpicture, true);
    }
    view_.yield();
    checked::add(s.freespinstotal, scatterPay(s.scattercount).added);
    view_.setVisible(Element::LABLASTBET, false);
    view_.setVisible(Element::lbllast, false);
    view_.setVisible(Element::LABTHISWIN, true);
    view_.setVisible(Element::Lblcurrentwin, true);
    view_.setKeyPreview(false);
    for (std::int16_t i = 1; i <= 6; ++i) view_.setVisible({Element::play, i}, false);
    for (std::int16_t i = 1; i <= 5; ++i) view_.setVisible({Element::payline, i}, false);
    view_.setVisible(Element::COINSIN, false);
    view_.setVisible(Element::doublebutton, false);
    view_.setVisible(Element::notes, false);
    view_.yield();
    for (std::size_t l = 1; l <= kLines; ++l) {
        if (s.wildline[l] > 0 && s.freespinsplayed == 0) view_.setTimer(Timer::Timer4, true);
        if ((s.wildline[l] > 0 && s.freespinsplayed > 0) || s.freespinsplayed == s.freespinstotal - 1)
            view_.setTimer(Timer::timerwild, true);
        if (s.linecount[l] >= 2) startWinLines(*this);
    }
}

}  // namespace velmoran
