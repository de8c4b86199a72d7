#pragma once
// Machine: the game logic of the main window `velmoran`. It owns the one
// MachineState and every handler of the window; it reaches the screen only
// through GameView, the settings only through SettingsStore, chance only
// through RandomSource and the desktop only through DisplayEnvironment.
//
// Each handler is defined in the file of the subsystem it belongs to, and its
// tests are in the same path under tests/ (src/core/controls.cpp is tested by
// tests/core/controls_test.cpp):
//   core/controls.cpp         payline_Click, COINSIN_Click, notes_Click,
//                             mnuzerocredit_Click, Form_KeyPress
//   core/game_cycle.cpp       play_Click
//   core/inputs.cpp           accepts (which input the machine takes now)
//   core/timers.cpp           onTimer (every timer tick)
//   core/lifecycle.cpp        Form_Load, Form_QueryUnload, mnuexit_Click,
//                             mnuptble_Click, mnuabout_Click, the handlers of
//                             the pay table and About windows, IsScreenFontSmall
//   reels/spin.cpp            spinreel1 to spinreel5, updatelinemarkers
//   reels/evaluation.cpp      evaluatespin
//   features/free_spins.cpp   freespinbusiness, Timerrespin_Timer
//   features/settlement.cpp   Timerwincounter_Timer, takewin_Click, the win sound
//   gamble/gamble.cpp         doublebutton_Click, cancelbet_Click, betred_Click,
//                             betblack_Click, suitbet_Click
//   presentation/             Timer1_Timer (win_lines.cpp), Timerscatters_Timer,
//                             Timer4_Timer, timerwild_Timer (highlights.cpp),
//                             timerarrow_Timer, arrowsound (arrow.cpp)
//   players/players.cpp       loadplayer, saveplayer, clearplayerdetails,
//                             mnuplayer_Click
// The options window's handlers belong to OptionsWindow
// (players/options_window.h), made beside the machine; the machine reaches it
// only through core/ports/options_dialog.h. Core includes nothing outside core.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/machine_state.h"
#include "core/player_record.h"
#include "core/ports/display_environment.h"
#include "core/ports/game_view.h"
#include "core/ports/options_dialog.h"
#include "core/ports/random_source.h"
#include "core/ports/settings_store.h"

namespace velmoran {

// What the player (or a timer) asks of the machine. The window's thread
// yields and blocks in the middle of handlers, so any of these can arrive in
// the middle of a game, a gamble or a free-spin sequence; Machine::accepts
// decides, in one place, which of them the machine can take at that moment.
enum class Input : std::uint8_t {
    Play,          // a play button, or the automatic press of a free spin
    Payline,       // a payline button
    CoinsIn,       // COINSIN
    Notes,         // notes
    Key,           // a key reaching Form_KeyPress
    ZeroCredit,    // mnuzerocredit
    PayTable,      // mnuptble
    About,         // mnuabout
    Options,       // mnuplayer
    Exit,          // mnuexit
    Double,        // doublebutton
    Bet,           // betred, betblack, suitbet
    CancelBet,     // cancelbet
    TakeWin,       // takewin
    Respin,        // Timerrespin: the next free spin
    Counter,       // Timerwincounter
    OptionsItem,   // any element of the options window
    PayTableItem,  // the pay table window's button or close box
    AboutItem,     // the About window's buttons or close box
};

// Why the main window is asked to close: its close box, or the program
// itself (the exit menu, the system ending the session).
enum class UnloadMode : std::uint8_t { ControlMenu, Code };

class Machine {
public:
    Machine(GameView& view, RandomSource& random, SettingsStore& store, DisplayEnvironment& display) noexcept
        : view_(view), random_(random), store_(store), display_(display) {}

    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    MachineState state;

    // --- core: game cycle and controls ---------------------------------
    void play_Click(std::int16_t index);
    void payline_Click(std::int16_t index);
    void COINSIN_Click();
    void notes_Click();
    void mnuzerocredit_Click();
    // keyascii may be replaced before it goes on to the focused element.
    void Form_KeyPress(std::int16_t& keyascii);

    // --- reels: the reel chain and the evaluation ----------------------
    void spinreel1();
    void spinreel2();
    void spinreel3();
    void spinreel4();
    void spinreel5();
    void evaluatespin();
    // Markers 1 to 25 lit, 26 as line 1, lines + 1 to 25 dimmed.
    void updatelinemarkers();

    // --- features: free spins, settlement, collect ---------------------
    void freespinbusiness();
    void Timerrespin_Timer();
    void Timerwincounter_Timer();
    void takewin_Click();

    // --- gamble ---------------------------------------------------------
    void doublebutton_Click();
    void cancelbet_Click();
    void betred_Click();
    void betblack_Click();
    void suitbet_Click(std::int16_t index);

    // --- timers -----------------------------------------------------------
    // A tick of timer `t`, as the window's timers and the tests deliver it:
    // one tick of a timer at a time (core/timers.cpp).
    void onTimer(Timer t);

    // --- presentation: timed result displays ---------------------------
    void Timer1_Timer();
    void Timerscatters_Timer();
    void Timer4_Timer();
    void timerwild_Timer();
    void timerarrow_Timer();
    void arrowsound();

    // --- input ----------------------------------------------------------
    // Whether the machine can take this input now. Every handler asks first
    // and does nothing when the answer is no.
    [[nodiscard]] bool accepts(Input input) const noexcept;

    // --- players ----------------------------------------------------------
    void loadplayer(std::int16_t slot);
    // The start-up read of slot 1: no reset first, failed conversions leave
    // the field as it is.
    void startupload();
    void saveplayer();
    void clearplayerdetails();
    // Opens the options window (only outside free spins and the gamble).
    void mnuplayer_Click();
    // The options window that mnuplayer_Click loads; its logic lives beside
    // the machine, made by the machine's owner. Without one the window opens
    // unloaded.
    void attachOptions(OptionsDialog* options) noexcept { options_ = options; }

    // --- lifecycle: start-up, shut-down, menus, auxiliary windows -------
    // Returns false when the program must end at once (large fonts).
    bool Form_Load();
    // Shut-down. A close box of a window that an auxiliary window has
    // disabled sets `cancel` and does nothing.
    void Form_QueryUnload(std::int16_t& cancel, UnloadMode unloadmode);
    void mnuexit_Click();
    void mnuptble_Click();
    void btnunloadpays_Click();
    void velmoranpays_Unload();
    void mnuabout_Click();
    void cmdtarnby_Click();
    void cmdOK_Click();
    void aboutvelmoran_Unload();
    bool IsScreenFontSmall();
    // Opens a web address in the browser, with the failure message.
    void executelink(std::string_view address);

    // How long the start-up pause lasts; the tests shorten it.
    std::int32_t startupPauseMs = 3000;

    GameView& view() noexcept { return view_; }
    RandomSource& random() noexcept { return random_; }
    SettingsStore& store() noexcept { return store_; }
    DisplayEnvironment& display() noexcept { return display_; }

    // --- steps shared between subsystems --------------------------------
    // Steps of evaluatespin and of the handlers that live in another
    // subsystem's file. Each subsystem keeps its other helpers file-local.
    void multiplierStep();             // features: step 6 of the evaluation
    void triggerBranch();              // reels: three or more scatters, after the motion
    void lineDisplays();               // reels: starts the win line and wild timers
    void winSound();                   // features: the paid-game win sound
    void settleSpin();                 // features: free-spin counting or paid settlement
    void showBank();                   // PANELBANK (coin form) and Lblcredit (dollar form)
    void showWin(std::int32_t cents);  // LABWIN (coin form) and lblwin (dollar form)
    // The record as an orderly shut-down would write it at this instant:
    // what is in play (a decided spin, a free-spin sequence, the gamble's
    // stake) settled as the player would settle it. Outside those it is the
    // live record. Every save writes it; the live state is not changed.
    [[nodiscard]] PlayerRecord settledRecord() const;
    // doublebutton enabled or disabled, with the offer it stands for.
    void offerGamble(bool offered);
    // The play, payline and COINSIN buttons: locked while a game runs and
    // while the gamble panel is up.
    void enablePlayControls(bool enabled);

private:
    GameView& view_;
    RandomSource& random_;
    SettingsStore& store_;
    DisplayEnvironment& display_;
    OptionsDialog* options_ = nullptr;

    // Writes a record to the current slot; tells the player once a run when
    // it cannot be kept.
    void writeRecord(const PlayerRecord& r, bool tellFailure);
    // What shut-down wrote: a second pass writes it again, whatever a handler
    // still finishing has done to the live state since.
    std::optional<PlayerRecord> finalRecord_;

    // Set by a withdrawn outcome; spinreel1 then runs the chain again.
    bool respinRequested_ = false;
    // The timers whose tick is under way.
    std::array<bool, kTimerCount> ticking_{};
};

}  // namespace velmoran
