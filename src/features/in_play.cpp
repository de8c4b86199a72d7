// What the record holds while something is in play: the money of a decided
// spin, of a free-spin sequence and of the gamble, settled the way the player
// would settle it at this instant. Every save writes this record, so a crash
// or a shut-down at any moment leaves on disk what an orderly end would have
// left.
#include "core/checked.h"
#include "core/machine.h"

namespace velmoran {

namespace {

PlayerRecord liveRecord(const MachineState& s) {
    return {s.winroll, s.reelspeed, s.amountinvested, s.wager, s.total, s.bank, s.games, s.currentplayer};
}

// The stake the gamble pays back at this moment: the amount at risk, grown by
// the card already drawn when that card won. 0 when the drawn card lost.
std::int32_t gamblePayout(const MachineState& s) {
    if (s.cardresult < 0) return 0;
    std::int32_t payout = s.atrisk;
    // A doubling that would leave the width keeps the amount, as the bet does.
    if (s.cardresult > 0) checked::mul(payout, s.cardresult);
    return payout;
}

}  // namespace

PlayerRecord Machine::settledRecord() const {
    const auto& s = state;
    PlayerRecord r = liveRecord(s);
    const std::int16_t bet = s.totalBet();
    // Choices still open in the options window are not the player's yet.
    if (s.auxwindow == AuxWindow::Options) {
        r.winroll = s.confirmedwinroll;
        r.reelspeed = s.confirmedreelspeed;
    }

    if (s.freespinstotal > 0) {
        // A sequence ends with its wins collected, this spin's included once it
        // is decided, and costs one bet as a sequence played out does: the
        // bet of its last spin, unless that spin has already taken it.
        std::int32_t wins = s.freespinwin;
        if (s.spindecided) checked::add(wins, s.spinwin);
        checked::add(r.bank, wins);
        const bool betTaken = s.spindecided || s.freespinsplayed >= s.freespinstotal;
        if (!betTaken && checked::sub(r.bank, bet)) {
            checked::add(r.wager, bet);
            checked::add(r.games, 1);
        }
    } else if (s.spindecided) {
        // A paid spin whose bet is taken: its win is paid.
        checked::add(r.bank, s.spinwin);
    }

    if (s.gambleopen) {
        // Leaving the gamble: the rule of cancelbet. What the credit cannot
        // hold is not paid, and then nothing came back from the stake.
        const std::int32_t payout = gamblePayout(s);
        if (payout > 0 && checked::add(r.bank, payout)) {
            checked::add(r.total, static_cast<std::int64_t>(payout) - s.gamblestake);
        } else {
            checked::sub(r.total, s.gamblestake);
        }
    }
    return r;
}

}  // namespace velmoran
