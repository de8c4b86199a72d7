// Which inputs the machine takes, and when. The window's thread gives way in
// the middle of games, gambles and free spins, so a click, a key, a menu or a
// timer can arrive at any of those moments; whatever the machine cannot take
// then is ignored here rather than run into a half-finished game.
#include "core/machine.h"

namespace velmoran {

bool Machine::accepts(Input input) const noexcept {
    const auto& s = state;
    const bool sequence = s.freespinstotal > 0;
    const bool collectPending = sequence && s.freespinsplayed >= s.freespinstotal;
    const bool auxOpen = s.auxwindow != AuxWindow::None;
    // Start-up's pause and anything after shut-down take nothing but the
    // second pass of the shut-down itself.
    if (s.loading || s.shutdown) return false;
    // The main window is disabled while an auxiliary window is open.
    const bool mainUsable = !auxOpen;

    switch (input) {
        case Input::Play:
            // A game never starts inside another, nor under the gamble panel.
            // During free spins only the machine's own press plays, and not
            // once the sequence waits for its collect.
            return mainUsable && !s.gamerunning && !s.gambleshown && (!sequence || (s.autopress && !collectPending));
        case Input::Payline:
        case Input::CoinsIn:
            // Disabled during a game and the gamble, hidden during free spins.
            return mainUsable && !s.gamerunning && !s.gambleshown && !sequence;
        case Input::Notes:
            // The banknote stays usable during a game and the gamble (more
            // credit harms nothing there) but is hidden during free spins.
            return mainUsable && !sequence;
        case Input::Key:
            // A game in progress counts as a key already taken; the gamble and
            // free spins take no key, whatever key preview says.
            return mainUsable && !s.gamerunning && !s.gambleshown && !sequence;
        case Input::ZeroCredit:
            // Not while a game has checked the credit it is about to take.
            return mainUsable && !s.gamerunning && !s.betrunning && !sequence;
        case Input::PayTable:
        case Input::About:
            return mainUsable && !s.gamerunning && !s.betrunning && !sequence;
        case Input::Options:
            return mainUsable && !s.gamerunning && !s.gambleshown && !sequence;
        case Input::Exit:
            return mainUsable;
        case Input::Double:
            return mainUsable && s.gambleoffered && !s.gamerunning && !s.gambleshown && !sequence;
        case Input::Bet:
        case Input::CancelBet:
            return mainUsable && s.gambleopen && s.gambleshown && !s.betrunning;
        case Input::TakeWin:
            return mainUsable && collectPending && !s.gamerunning;
        case Input::Respin:
            return sequence && !collectPending && !s.gamerunning && !s.gambleshown && !auxOpen;
        case Input::Counter:
            return true;
        case Input::OptionsItem:
            return s.auxwindow == AuxWindow::Options;
        case Input::PayTableItem:
            return s.auxwindow == AuxWindow::PayTable;
        case Input::AboutItem:
            return s.auxwindow == AuxWindow::About;
    }
    return false;
}

}  // namespace velmoran
