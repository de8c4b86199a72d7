// The ways in which ordinary play used to corrupt the credit, each played
// through as a player would: an input arriving at a yield in the middle of a
// game, a gamble or a free-spin sequence is taken only when the machine can
// take it, and the record on disk always holds what an orderly shut-down
// would write.
#include <gtest/gtest.h>

#include <string>

#include "support/rig.h"

namespace velmoran::test {
namespace {

using E = Element;

constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};
// Three Moccasins on line 20: 20 coins at 1 coin a line.
constexpr std::initializer_list<int> kMoccasins = {13, 22, 7, 14, 1};
// Scatters on reels 1, 2 and 3.
constexpr std::initializer_list<int> kTrigger = {1, 7, 1, 2, 1};

class InputRules : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override {
        rig.s().reelspeed = 1;
        rig.s().bank = rig.s().amountinvested = 1000;
    }
    [[nodiscard]] bool balanced() {
        const auto& s = rig.s();
        return static_cast<std::int64_t>(s.bank) - s.amountinvested == static_cast<std::int64_t>(s.total) - s.wager;
    }
    void space() {
        std::int16_t key = 32;
        rig.machine.Form_KeyPress(key);
    }
};

// A game started with the mouse counts as a key already taken: a space
// pressed while its reels turn plays no second game inside it, whose
// settlement the first would then overwrite.
TEST_F(InputRules, ASpaceDuringAGameStartedWithTheMousePlaysNothing) {
    rig.play(1, kLosing);  // the bet per line is set, and keycount is 0 again
    for (const auto& [bank, index] : {std::pair{1000 - 25, 1}, {500, 6}}) {
        rig.s().bank = rig.s().amountinvested = bank;
        rig.s().total = rig.s().wager = rig.s().games = 0;
        int spaces = 0;
        rig.view.onYield = [&](int) {
            ++spaces;
            space();
            rig.machine.play_Click(2);  // nor does a click that slipped through
        };
        rig.play(static_cast<std::int16_t>(index), kMoccasins);
        rig.view.onYield = nullptr;
        EXPECT_GT(spaces, 2);
        EXPECT_TRUE(rig.random.script.empty());  // one game's draws, no more
        EXPECT_EQ(rig.s().games, 1);
        // With the bet equal to the credit the credit never went below nothing.
        EXPECT_GE(rig.s().bank, 0);
        EXPECT_TRUE(balanced());
    }
}

// Inside the gamble no key plays a game, whether or not the banknote has
// switched key preview back on: the stake stays at risk and is paid back.
TEST_F(InputRules, NoKeyPlaysAGameInsideTheGamble) {
    rig.play(1, kMoccasins);
    rig.machine.doublebutton_Click();
    rig.machine.notes_Click();
    EXPECT_TRUE(rig.view.keyPreview);
    space();
    std::int16_t other = 97;
    rig.machine.Form_KeyPress(other);
    EXPECT_EQ(other, 97);  // not turned into a space for the focused control
    EXPECT_EQ(rig.s().atrisk, 20);
    EXPECT_FALSE(rig.view.enabled({E::play, 1}, true));
    const std::int32_t bank = rig.s().bank;
    rig.machine.cancelbet_Click();
    EXPECT_EQ(rig.s().bank, bank + 20);
    EXPECT_TRUE(balanced());
}

// During a free-spin sequence only the machine's own press plays: the hidden
// buttons take no click, no key plays, and the banknote inserts nothing.
TEST_F(InputRules, DuringFreeSpinsOnlyTheMachinesOwnPressPlays) {
    rig.play(1, kTrigger);
    ASSERT_EQ(rig.s().freespinstotal, 11);
    const auto before = rig.s();
    rig.machine.play_Click(1);
    space();
    rig.machine.notes_Click();
    rig.machine.COINSIN_Click();
    rig.machine.payline_Click(1);
    rig.machine.doublebutton_Click();
    rig.machine.takewin_Click();  // not before the last spin
    EXPECT_EQ(rig.s().bank, before.bank);
    EXPECT_EQ(rig.s().amountinvested, before.amountinvested);
    EXPECT_EQ(rig.s().freespinsplayed, before.freespinsplayed);
    EXPECT_EQ(rig.s().lines, before.lines);
    EXPECT_TRUE(rig.random.script.empty());
}

// After a game the keyboard belongs to the bet being played: the focus goes
// back to its play button, so any key plays at that bet and none can press
// the banknote.
TEST_F(InputRules, AfterAGameTheFocusIsOnThePlayButtonOfTheBet) {
    rig.play(4, kLosing);
    ASSERT_TRUE(rig.view.focus.has_value());
    EXPECT_EQ(*rig.view.focus, (El{E::play, 4}));
    // In a sequence the buttons are hidden and the logic leaves the focus to
    // the window (which keeps it off hidden controls).
    rig.view.focus.reset();
    rig.play(4, kTrigger);
    EXPECT_FALSE(rig.view.focus.has_value());
}

// Zero credit is refused while a game has checked the credit it is about to
// take, and it withdraws the offer of a win it has just paid out.
TEST_F(InputRules, ZeroCreditNeitherUndercutsAGameNorLeavesAWinToGamble) {
    rig.view.onYield = [&](int) { rig.machine.mnuzerocredit_Click(); };
    rig.play(1, kMoccasins);
    rig.view.onYield = nullptr;
    EXPECT_EQ(rig.s().bank, 1000 - 25 + 20);
    ASSERT_TRUE(rig.view.enabled(E::doublebutton, false));
    rig.machine.mnuzerocredit_Click();
    EXPECT_FALSE(rig.view.enabled(E::doublebutton, true));
    rig.machine.doublebutton_Click();
    EXPECT_FALSE(rig.s().gambleshown);
    EXPECT_EQ(rig.s().bank, 0);
    EXPECT_TRUE(balanced());
}

// The menus and the gamble wait until a game is over; the exit does not.
TEST_F(InputRules, MenusAndTheGambleWaitForTheEndOfAGame) {
    rig.play(1, kMoccasins);  // a win on offer
    rig.view.onYield = [&](int) {
        rig.machine.mnuptble_Click();
        rig.machine.mnuabout_Click();
        rig.machine.mnuplayer_Click();
        rig.machine.doublebutton_Click();
    };
    rig.play(1, kMoccasins);  // a win counted up while the clicks come in
    rig.view.onYield = nullptr;
    EXPECT_EQ(rig.s().auxwindow, AuxWindow::None);
    EXPECT_FALSE(rig.s().gambleshown);
    EXPECT_TRUE(rig.view.enabled(E::velmoran, true));
    EXPECT_TRUE(balanced());
}

// The record follows the money at every step of a game: the decided outcome
// is written before the reels move, so a crash during the motion neither
// gives back the bet nor loses the win; and a quit during the motion leaves
// the same record as the crash would.
TEST_F(InputRules, TheDecidedOutcomeIsOnDiskBeforeTheReelsMove) {
    std::string atFirstFrame;
    rig.view.onPause = [&](std::int32_t) {
        if (atFirstFrame.empty()) atFirstFrame = rig.store.get("player1", "bank");
    };
    rig.play(1, kMoccasins);
    rig.view.onPause = nullptr;
    EXPECT_EQ(atFirstFrame, "995");  // 1000, less the bet of 25, and the win of 20

    bool quit = false;
    rig.view.onPause = [&](std::int32_t) {
        if (quit) return;
        quit = true;
        rig.machine.mnuexit_Click();
    };
    rig.play(1, kMoccasins);
    rig.view.onPause = nullptr;
    EXPECT_EQ(rig.store.get("player1", "bank"), "990");
    EXPECT_EQ(rig.store.get("player1", "games"), "2");
    // The game still on the stack when the window went finished without
    // writing anything more.
    EXPECT_EQ(rig.s().bank, 990);
    EXPECT_EQ(rig.store.get("player1", "bank"), "990");
}

// A store that cannot keep what it is given: the player is told once in the
// run, and plays on.
TEST_F(InputRules, AFailingSaveIsToldOnceAndTheGameGoesOn) {
    rig.store.failFlush = true;
    rig.machine.notes_Click();
    rig.play(1, kLosing);
    rig.machine.COINSIN_Click();
    ASSERT_EQ(rig.view.messages.size(), 1U);
    EXPECT_EQ(rig.view.messages.front().text, "Your progress cannot be saved.");
    EXPECT_EQ(rig.view.messages.front().title, "Slots_Velmoran");
    EXPECT_EQ(rig.view.messages.front().icon, MessageIcon::Information);
    EXPECT_EQ(rig.s().bank, 1000 + 5000 - 25 + 20);
    // Nor at shut-down, where no one is left to read it.
    std::int16_t cancel = 0;
    rig.machine.Form_QueryUnload(cancel, UnloadMode::Code);
    EXPECT_EQ(rig.view.messages.size(), 1U);
}

// A store that writes through keeps what it is given: no flush of its own is
// needed, and no failure is ever told.
TEST(WriteThroughStore, NeedsNoFlushAndNeverFails) {
    struct WriteThrough : SettingsStore {
        std::string read(std::string_view, std::string_view, std::string_view) override { return {}; }
        void write(std::string_view, std::string_view, std::string_view, std::string_view) override { ++writes; }
        int writes = 0;
    } store;
    RecordingView view;
    ScriptedRandom random;
    FakeDisplay display;
    Machine machine{view, random, store, display};
    machine.notes_Click();
    machine.COINSIN_Click();
    EXPECT_GT(store.writes, 0);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(InputRules, AShutDownWhoseSaveFailsTellsNothing) {
    rig.store.failFlush = true;
    std::int16_t cancel = 0;
    rig.machine.Form_QueryUnload(cancel, UnloadMode::Code);
    EXPECT_TRUE(rig.view.messages.empty());
}

// What arrives during start-up's pause finds the machine not yet ready.
TEST_F(InputRules, NothingIsTakenDuringTheStartUpPause) {
    int takenDuringPause = 0;
    rig.view.onPause = [&](std::int32_t) {
        for (const Input input : {Input::Play, Input::Notes, Input::Key, Input::Exit})
            takenDuringPause += rig.machine.accepts(input) ? 1 : 0;
    };
    ASSERT_TRUE(rig.machine.Form_Load());
    rig.view.onPause = nullptr;
    EXPECT_EQ(takenDuringPause, 0);
    EXPECT_TRUE(rig.machine.accepts(Input::Play));
}

// Choices made in the options window are the player's once it saves them;
// a shut-down while it is open (the session ending) writes the record as
// it was confirmed.
TEST_F(InputRules, UnconfirmedOptionsAreNotWrittenByAShutDown) {
    rig.s().reelspeed = 1;
    rig.machine.mnuplayer_Click();
    rig.options.setspeed_Click(4);
    rig.options.wincounter_Click(1);
    std::int16_t cancel = 0;
    rig.machine.Form_QueryUnload(cancel, UnloadMode::Code);
    EXPECT_EQ(rig.store.get("player1", "reelspeed"), "1");
    EXPECT_EQ(rig.store.get("player1", "winroll"), "0");

    Rig other;
    other.machine.mnuplayer_Click();
    other.options.setspeed_Click(4);
    std::int16_t enter = 13;
    other.options.player1_KeyPress(enter, "Ann");  // naming saves, speed included
    other.machine.Form_QueryUnload(cancel, UnloadMode::Code);
    EXPECT_EQ(other.store.get("player1", "reelspeed"), "10");
}

// Which input the machine takes in which situation, one row a situation and
// one mark an input in the order of Input: x taken, . refused.
//                                 Play, Payline, CoinsIn, Notes, Key, ZeroCredit, PayTable, About, Options,
//                                 Exit, Double, Bet, CancelBet, TakeWin, Respin, Counter, and the items of the
//                                 options, pay table and About windows.
TEST(InputGate, EachSituationTakesItsOwnInputs) {
    struct Row {
        const char* situation;
        void (*set)(MachineState&);
        const char* taken;
    };
    const Row rows[] = {
        {"idle", [](MachineState&) {}, "xxxxxxxxxx.....x..."},
        {"win offered", [](MachineState& s) { s.gambleoffered = true; }, "xxxxxxxxxxx....x..."},
        {"starting up", [](MachineState& s) { s.loading = true; }, "..................."},
        {"shut down", [](MachineState& s) { s.shutdown = true; }, "..................."},
        {"options open", [](MachineState& s) { s.auxwindow = AuxWindow::Options; }, "...............xx.."},
        {"pay table open", [](MachineState& s) { s.auxwindow = AuxWindow::PayTable; }, "...............x.x."},
        {"About open", [](MachineState& s) { s.auxwindow = AuxWindow::About; }, "...............x..x"},
        {"in a game", [](MachineState& s) { s.gamerunning = s.gambleoffered = true; }, "...x.....x.....x..."},
        {"gamble waiting for a bet", [](MachineState& s) { s.gambleshown = s.gambleopen = s.gambleoffered = true; },
         "...x.xxx.x.xx..x..."},
        {"gamble showing its card", [](MachineState& s) { s.gambleshown = true; }, "...x.xxx.x.....x..."},
        {"gamble bet running", [](MachineState& s) { s.gambleshown = s.gambleopen = s.betrunning = true; },
         "...x.....x.....x..."},
        {"bet running, panel gone", [](MachineState& s) { s.betrunning = true; }, "xxxxx...xx.....x..."},
        {"free spin due",
         [](MachineState& s) {
             s.freespinstotal = 1;
             s.autopress = true;
         },
         "x........x....xx..."},
        {"free spins, a click", [](MachineState& s) { s.freespinstotal = 1; }, ".........x....xx..."},
        {"free spin running",
         [](MachineState& s) {
             s.freespinstotal = 1;
             s.gamerunning = true;
         },
         ".........x.....x..."},
        {"free spins under the gamble panel",
         [](MachineState& s) {
             s.freespinstotal = 1;
             s.gambleshown = true;
         },
         ".........x.....x..."},
        {"free spins, options open",
         [](MachineState& s) {
             s.freespinstotal = 1;
             s.auxwindow = AuxWindow::Options;
         },
         "...............xx.."},
        {"collect due",
         [](MachineState& s) {
             s.freespinstotal = s.freespinsplayed = 1;
             s.autopress = true;
         },
         ".........x...x.x..."},
        {"collect due, last spin running",
         [](MachineState& s) {
             s.freespinstotal = s.freespinsplayed = 1;
             s.gamerunning = true;
         },
         ".........x.....x..."},
    };
    for (const auto& row : rows) {
        Rig rig;
        row.set(rig.s());
        std::string taken;
        for (int i = 0; i <= static_cast<int>(Input::AboutItem); ++i)
            taken += rig.machine.accepts(static_cast<Input>(i)) ? 'x' : '.';
        EXPECT_EQ(taken, row.taken) << row.situation;
    }
}

}  // namespace
}  // namespace velmoran::test
