#pragma once
// MachineState: the one record of everything the machine remembers between
// events. Money is in cents (int32_t); bet parts, counts, flags, positions
// and codes are int16_t. Arrays are indexed from 1 by reel (1 to 5), line
// (1 to 25) or line-paying symbol (1 to 10).

#include <cstdint>
#include <string>

#include "core/one_based.h"

namespace velmoran {

inline constexpr int kReels = 5;
inline constexpr int kLines = 25;
inline constexpr int kLineSymbols = 10;

enum class AuxWindow : std::uint8_t { None, Options, PayTable, About };

struct MachineState {
    // Group A: money and lifetime counters of the current player (stored).
    std::int32_t bank = 0;
    std::int32_t amountinvested = 0;
    std::int32_t games = 0;
    std::int32_t wager = 0;
    std::int32_t total = 0;

    // Group B: options of the current player (stored).
    std::int16_t winroll = 0;
    std::int16_t reelspeed = 0;

    // The rest of the current player's record and the slot it lives in.
    std::string currentplayer;
    std::int16_t currentslot = 1;

    // Group C: the bet.
    std::int16_t linebet = 0;
    std::int16_t lines = 25;

    // Group D: the outcome of the last spin.
    OneBased<std::int16_t, kReels> reelstop{};
    OneBased<std::int32_t, kReels> reeltop{};
    OneBased<OneBased<std::int16_t, kLines>, kLineSymbols> linecode{};  // [symbol][line]
    OneBased<std::int16_t, kLines> wildline{};
    OneBased<std::int16_t, kReels> scattercell{};
    OneBased<std::int16_t, kReels> wildcell{};
    std::int16_t scattercount = 0;
    OneBased<std::int16_t, kLines> linecount{};
    OneBased<std::int16_t, kLines> linewon{};
    std::int32_t spinwin = 0;

    // Group E: free spins, settlement and the gamble.
    std::int16_t freespinstotal = 0;
    std::int16_t freespinsplayed = 0;
    std::int16_t multiplier = 0;
    std::int32_t freespinwin = 0;
    std::int32_t counted = 0;
    std::int16_t countstep = 0;
    std::int32_t collectedwin = 0;
    std::int32_t atrisk = 0;
    // What entering the gamble took out of the credit; settles `total` when
    // the gamble ends.
    std::int32_t gamblestake = 0;
    // The gamble panel is on the screen (from entering until the panel is
    // hidden again, the three seconds after a lost card included).
    bool gambleshown = false;
    // A stake is at risk: from entering the gamble until it is left or lost.
    bool gambleopen = false;
    // The card of the bet being played, once it is drawn and until its steps
    // have settled it: 0 none, the bet's factor (2 or 4) when it won, -1 when
    // it lost.
    std::int16_t cardresult = 0;
    // A bet's steps are running (from the click to the end of its slide or of
    // the lost panel's pause).
    bool betrunning = false;
    // doublebutton offers the gamble (it was enabled by a win or a collect).
    bool gambleoffered = false;
    // Cards drawn by the gamble since start-up (never reset).
    std::int16_t historycount = 0;

    // Group F: reel holds.
    std::int16_t holdreel2 = 0, holdreel3 = 0, holdreel4 = 0;
    std::int16_t heldreel2 = 0, heldreel3 = 0, heldreel4 = 0;

    // Group G: keyboard repeat guard, and what the machine is busy with, which
    // decides the inputs it accepts (Machine::accepts).
    std::int16_t keycount = 0;
    // Start-up runs (its three-second pause included).
    bool loading = false;
    // A game runs: from the first step of play_Click to its last.
    bool gamerunning = false;
    // Timerrespin is pressing the play button: the only press a free-spin
    // sequence takes (its buttons are hidden).
    bool autopress = false;
    // The outcome of the spin being played stands (the bet is taken and the
    // win known) and has not been settled into the credit or the sequence yet.
    bool spindecided = false;
    // The auxiliary window that is open; the main window is disabled meanwhile.
    AuxWindow auxwindow = AuxWindow::None;
    // Shut-down has run: the record is final, and what still runs in a handler
    // changes nothing that is written.
    bool shutdown = false;
    // The player has been told that the record cannot be saved (once a run).
    bool savefailuretold = false;
    // The win counter and reel speed as the options window last saved or
    // loaded them. While it is open, changes made in it are not yet
    // confirmed: a shut-down meanwhile writes these instead.
    std::int16_t confirmedwinroll = 0;
    std::int16_t confirmedreelspeed = 0;

    // Group H: presentation counters.
    std::int16_t showline = 0, showtick = 0, blinkphase = 0;
    std::int16_t scattertick = 0, scatterframe = 0;
    std::int16_t wildtick = 0, wildframe = 0;
    std::int16_t emblemframe = 0, multiplierframe = 0, multiplierlastframe = 0;
    std::int16_t arrowtick = 0, arrowframe = 0;

    // The screen's pixels per inch, read once at start-up.
    std::int32_t pixelsperinch = 0;

    // The total bet, linebet x lines in 16-bit arithmetic (0 before the
    // first game). The ranges of both parts keep it within 1 to 500.
    [[nodiscard]] std::int16_t totalBet() const noexcept {
        return static_cast<std::int16_t>(static_cast<std::int32_t>(linebet) * lines);
    }

    // Hold request and held flag of reel 2, 3 or 4 (nullptr for reels 1 and 5).
    [[nodiscard]] std::int16_t* holdreel(int reel) noexcept {
        return reel == 2 ? &holdreel2 : reel == 3 ? &holdreel3 : reel == 4 ? &holdreel4 : nullptr;
    }
    [[nodiscard]] std::int16_t* heldreel(int reel) noexcept {
        return reel == 2 ? &heldreel2 : reel == 3 ? &heldreel3 : reel == 4 ? &heldreel4 : nullptr;
    }
    [[nodiscard]] bool isHeld(int reel) const noexcept {
        return (reel == 2 && heldreel2 > 0) || (reel == 3 && heldreel3 > 0) || (reel == 4 && heldreel4 > 0);
    }
};

}  // namespace velmoran
