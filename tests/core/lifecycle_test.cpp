// Start-up, shut-down, the menus and the link opener against the recording
// view, the in-memory store and the fake desktop.
#include <gtest/gtest.h>

#include "core/build_config.h"
#include "support/rig.h"

namespace velmoran::test {
namespace {

using E = Element;

TEST(Startup, LargeFontsShowOnlyTheMessageAndLeaveEverythingAlone) {
    Rig r;
    r.display.ppi = 120;
    r.store.set("player1", "bank", "500");
    EXPECT_FALSE(r.machine.Form_Load());
    EXPECT_EQ(r.s().pixelsperinch, 120);
    ASSERT_EQ(r.view.messages.size(), 1U);
    const auto& m = r.view.messages.front();
    EXPECT_EQ(m.title, "               LARGE FONTS BEING USED !!!");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.text.rfind("You are still using Large Fonts!!,This Game Will Not Run Correctly.\r", 0), 0U);
    EXPECT_NE(m.text.find("A Re-Boot Is Then Required\r\rTo Change Back After Do The Reverse :-\r"), std::string::npos);
    int lines = 0;
    for (char c : m.text) lines += c == '\r' ? 1 : 0;
    EXPECT_EQ(lines, 11);
    EXPECT_EQ(r.store.writes, 0);
    EXPECT_TRUE(r.display.modes.empty());
    EXPECT_TRUE(r.view.pauses.empty());
    EXPECT_EQ(r.s().bank, 0);
}

TEST(Startup, SmallFontsRunEveryStepInOrder) {
    Rig r;
    r.s().lines = 5;
    EXPECT_TRUE(r.machine.Form_Load());  // with the machine's own pause of three seconds
    EXPECT_TRUE(r.view.messages.empty());
    EXPECT_EQ(r.s().pixelsperinch, 96);
    EXPECT_EQ(r.s().currentslot, 1);
    EXPECT_EQ(r.view.caption(E::velmoran), "Current Player       ");
    EXPECT_EQ(r.view.caption(E::PANELBANK), "0");
    EXPECT_EQ(r.view.caption(E::Lblcredit), "$ 0");
    EXPECT_EQ(r.s().lines, 25);
    EXPECT_EQ(r.s().reelspeed, 1);
    ASSERT_EQ(r.view.pauses.size(), 1U);
    EXPECT_EQ(r.view.pauses.front().ms, 3000);
    // The window goes to the corner and play(1) takes the focus only after the pause.
    const auto& w = r.view.at(E::velmoran);
    EXPECT_TRUE(w.moved);
    EXPECT_EQ(w.left, 0);
    EXPECT_EQ(w.top, 0);
    ASSERT_TRUE(r.view.focus.has_value());
    EXPECT_EQ(*r.view.focus, (El{E::play, 1}));
    std::size_t pauseAt = 0, moveAt = 0, focusAt = 0;
    for (std::size_t i = 0; i < r.view.log.size(); ++i) {
        const auto& l = r.view.log[i];
        if (l.rfind("pause", 0) == 0) pauseAt = i;
        if (l.rfind("move velmoran", 0) == 0) moveAt = i;
        if (l.rfind("focus", 0) == 0) focusAt = i;
    }
    EXPECT_LT(pauseAt, moveAt);
    EXPECT_LT(moveAt, focusAt);
    EXPECT_TRUE(r.display.modes.empty());
    EXPECT_EQ(r.view.pointer, MousePointer::Default);
}

TEST(Startup, AReelSpeedAlreadyChosenIsKept) {
    Rig r;
    r.s().reelspeed = 8;
    r.s().currentplayer = "Ann";
    r.machine.startupPauseMs = 10;
    ASSERT_TRUE(r.machine.Form_Load());
    EXPECT_EQ(r.s().reelspeed, 8);
    EXPECT_EQ(r.view.pauses.front().ms, 10);
}

TEST(Shutdown, CloseBoxPlaysTheClickSavesAndRestoresTheDesktop) {
    Rig r;
    std::int16_t cancel = 0;
    r.machine.Form_QueryUnload(cancel, UnloadMode::ControlMenu);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{124});
    ASSERT_EQ(r.display.modes.size(), 1U);
    EXPECT_EQ(r.display.modes.front(), std::make_pair(0, 0));
    EXPECT_TRUE(r.view.unloads.empty());
    EXPECT_EQ(r.store.get("player1", "reelspeed"), "0");
}

TEST(Shutdown, ExitRunsTheStepsAndUnloadsTheWindow) {
    Rig r;
    r.machine.mnuexit_Click();
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{124});
    EXPECT_EQ(r.display.modes.size(), 1U);
    ASSERT_EQ(r.view.unloads.size(), 1U);
    EXPECT_EQ(r.view.unloads.front(), El{E::velmoran});
}

// While an auxiliary window has disabled the main window, the main window's
// close box does nothing (no sound, no save, nothing settled); the program's
// own close (the system ending the session) still shuts down.
TEST(Shutdown, TheCloseBoxOfTheDisabledWindowDoesNothing) {
    for (const auto open : {&Machine::mnuptble_Click, &Machine::mnuabout_Click, &Machine::mnuplayer_Click}) {
        Rig r;
        r.s().bank = 700;
        (r.machine.*open)();
        r.s().bank = 900;  // changed since the options window saved, say
        r.view.clearLogs();
        const int writes = r.store.writes;
        std::int16_t cancel = 0;
        r.machine.Form_QueryUnload(cancel, UnloadMode::ControlMenu);
        EXPECT_EQ(cancel, 1);
        EXPECT_TRUE(r.view.log.empty());
        EXPECT_EQ(r.store.writes, writes);
        EXPECT_TRUE(r.display.modes.empty());
        EXPECT_FALSE(r.s().shutdown);

        r.machine.Form_QueryUnload(cancel = 0, UnloadMode::Code);
        EXPECT_EQ(cancel, 0);
        EXPECT_EQ(r.store.get("player1", "bank"), "900");
        EXPECT_EQ(r.display.modes.size(), 1U);
    }
}

// Shut-down writes what is in play settled as the player would settle it,
// and leaves the live state alone: the record is what counts, and the
// exit menu's second pass writes the very same values.
TEST(Shutdown, InTheGambleTheAmountAtRiskIsPaidBack) {
    Rig r;
    auto& s = r.s();
    s.bank = 1000;
    s.total = 300;
    s.atrisk = 160;  // a 40 win doubled twice
    s.gamblestake = 40;
    s.gambleshown = s.gambleopen = true;
    std::int16_t cancel = 0;
    r.machine.Form_QueryUnload(cancel, UnloadMode::ControlMenu);
    EXPECT_EQ(r.store.get("player1", "bank"), "1160");
    EXPECT_EQ(r.store.get("player1", "total"), "420");
    EXPECT_EQ(s.bank, 1000);
    r.machine.Form_QueryUnload(cancel, UnloadMode::Code);
    EXPECT_EQ(r.store.get("player1", "bank"), "1160");
    EXPECT_EQ(r.store.get("player1", "total"), "420");
}

// A sequence cut short is collected as it stands and costs its one bet, as a
// sequence played out to its last spin does.
TEST(Shutdown, DuringFreeSpinsTheWinsSoFarAreCollectedForOneBet) {
    Rig r;
    auto& s = r.s();
    s.bank = 500;
    s.wager = 1000;
    s.games = 40;
    s.linebet = 1;
    s.lines = 25;
    s.freespinstotal = 11;
    s.freespinsplayed = 4;
    s.freespinwin = 250;
    r.machine.mnuexit_Click();
    EXPECT_EQ(r.store.get("player1", "bank"), "725");
    EXPECT_EQ(r.store.get("player1", "wager"), "1025");
    EXPECT_EQ(r.store.get("player1", "games"), "41");
    // After its last spin the bet is already taken.
    s.freespinsplayed = 11;
    EXPECT_EQ(r.machine.settledRecord().bank, 750);
    EXPECT_EQ(r.machine.settledRecord().wager, 1000);
}

TEST(Shutdown, SettlingNeverLeavesTheCreditWidth) {
    Rig r;
    auto& s = r.s();
    s.bank = 2147483000;
    s.total = 5000;
    s.freespinstotal = 3;
    s.freespinsplayed = 3;
    s.freespinwin = 1000;
    EXPECT_EQ(r.machine.settledRecord().bank, 2147483000);  // the overflowing step is skipped
    s.freespinstotal = s.freespinsplayed = 0;
    s.gambleopen = true;
    s.atrisk = 1000;
    s.gamblestake = 1000;
    // A payout the credit cannot hold is a loss, and the total follows the money.
    EXPECT_EQ(r.machine.settledRecord().bank, 2147483000);
    EXPECT_EQ(r.machine.settledRecord().total, 4000);
}

TEST(Menus, PayTableOpensOutsideFreeSpinsOnly) {
    Rig r;
    r.s().freespinstotal = 2;
    r.machine.mnuptble_Click();
    r.machine.mnuabout_Click();
    EXPECT_TRUE(r.view.log.empty());

    r.s().freespinstotal = 0;
    r.view.setVisible(E::pannomoney, true);
    r.machine.mnuptble_Click();
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{124});
    EXPECT_FALSE(r.view.visible(E::pannomoney, true));
    EXPECT_FALSE(r.view.enabled(E::velmoran));
    EXPECT_TRUE(r.view.visible(E::velmoranpays));
    EXPECT_TRUE(r.view.at(E::velmoranpays).moved);

    r.machine.btnunloadpays_Click();
    EXPECT_TRUE(r.view.enabled(E::velmoran, false));
    ASSERT_EQ(r.view.unloads.size(), 1U);
    EXPECT_EQ(r.view.unloads.front(), El{E::velmoranpays});

    r.machine.mnuptble_Click();
    r.machine.velmoranpays_Unload();  // the close box
    EXPECT_TRUE(r.view.enabled(E::velmoran, false));
}

TEST(Menus, AboutOpensAtItsTopBandAndEveryWayOutReenablesTheWindow) {
    Rig r;
    r.machine.mnuabout_Click();
    EXPECT_FALSE(r.view.enabled(E::velmoran));
    EXPECT_TRUE(r.view.visible(E::aboutvelmoran));
    EXPECT_TRUE(r.view.visible(E::lblTitle));
    EXPECT_EQ(r.view.at(E::aboutvelmoran).height, 1815);
    r.machine.cmdOK_Click();
    EXPECT_TRUE(r.view.enabled(E::velmoran, false));
    EXPECT_EQ(r.view.unloads.back(), El{E::aboutvelmoran});

    r.machine.mnuabout_Click();
    r.machine.aboutvelmoran_Unload();
    EXPECT_TRUE(r.view.enabled(E::velmoran, false));
}

// Every way out of the pay table and About gives the machine back: a game
// plays again afterwards, from the window's corner where it opened.
TEST(Menus, EveryWayOutOfTheOtherWindowsGivesTheMachineBack) {
    struct Way {
        void (Machine::*open)();
        void (Machine::*close)();
        Element window;
    };
    const Way ways[] = {
        {&Machine::mnuptble_Click, &Machine::btnunloadpays_Click, E::velmoranpays},
        {&Machine::mnuptble_Click, &Machine::velmoranpays_Unload, E::velmoranpays},
        {&Machine::mnuabout_Click, &Machine::cmdOK_Click, E::aboutvelmoran},
        {&Machine::mnuabout_Click, &Machine::aboutvelmoran_Unload, E::aboutvelmoran},
    };
    for (const auto& w : ways) {
        Rig r;
        r.s().bank = 1000;
        (r.machine.*w.open)();
        EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{124});
        const auto& at = r.view.at(w.window);
        EXPECT_TRUE(at.moved);
        EXPECT_EQ(at.left, 0);
        EXPECT_EQ(at.top, 0);
        (r.machine.*w.close)();
        EXPECT_EQ(r.s().auxwindow, AuxWindow::None);
        r.play(1, {16, 15, 16, 21, 13});  // a losing game
        EXPECT_EQ(r.s().bank, 975) << "closed by way " << (&w - ways);
    }
}

TEST(Links, TheMakersSiteOpensWithTheHourglassMeanwhile) {
    Rig r;
    r.machine.cmdtarnby_Click();  // the About window is not open
    EXPECT_TRUE(r.display.links.empty());
    r.machine.mnuabout_Click();
    r.view.clearLogs();
    r.machine.cmdtarnby_Click();
    ASSERT_EQ(r.display.links.size(), 1U);
    EXPECT_EQ(r.display.links.front(), build::kMakerAddress);
    EXPECT_TRUE(r.view.messages.empty());
    EXPECT_EQ(r.view.pointer, MousePointer::Default);
    EXPECT_EQ(r.view.log, (std::vector<std::string>{"pointer hourglass", "pointer default"}));
}

TEST(Links, AFailedOpenExplainsItselfWithoutAnIcon) {
    Rig r;
    r.display.linkResult = {false, 2};
    r.machine.executelink("https://example.invalid/");
    EXPECT_EQ(r.view.log, (std::vector<std::string>{"pointer hourglass", "pointer default", "message ExecuteLink",
                                                    "pointer default"}));
    ASSERT_EQ(r.view.messages.size(), 1U);
    EXPECT_EQ(r.view.messages.front().title, "ExecuteLink");
    EXPECT_EQ(r.view.messages.front().text, "error Opening Link to https://example.invalid/\r\n\r\n2");
    EXPECT_EQ(r.view.messages.front().icon, MessageIcon::None);
    EXPECT_EQ(r.view.pointer, MousePointer::Default);
}

}  // namespace
}  // namespace velmoran::test
