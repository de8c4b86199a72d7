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
    r.machine.startupPauseMs = 3000;
    EXPECT_TRUE(r.machine.Form_Load());
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
    r.machine.Form_QueryUnload();
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{124});
    ASSERT_EQ(r.display.modes.size(), 1U);
    EXPECT_EQ(r.display.modes.front(), std::make_pair(0, 0));
    EXPECT_TRUE(r.view.unloads.empty());
}

TEST(Shutdown, ExitRunsTheStepsAndUnloadsTheWindow) {
    Rig r;
    r.machine.mnuexit_Click();
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{124});
    EXPECT_EQ(r.display.modes.size(), 1U);
    ASSERT_EQ(r.view.unloads.size(), 1U);
    EXPECT_EQ(r.view.unloads.front(), El{E::velmoran});
}

TEST(Shutdown, InTheGambleTheAmountAtRiskIsPaidBack) {
    Rig r;
    auto& s = r.s();
    s.bank = 1000;
    s.total = 300;
    s.atrisk = 160;  // a 40 win doubled twice
    s.gamblestake = 40;
    s.gambleshown = true;
    r.machine.Form_QueryUnload();
    EXPECT_EQ(s.bank, 1160);
    EXPECT_EQ(s.total, 420);
    EXPECT_FALSE(s.gambleshown);
    // The second pass of the exit menu must not pay it twice.
    r.machine.Form_QueryUnload();
    EXPECT_EQ(s.bank, 1160);
    EXPECT_EQ(s.total, 420);
}

TEST(Shutdown, DuringFreeSpinsTheWinsSoFarAreCollected) {
    Rig r;
    auto& s = r.s();
    s.bank = 500;
    s.freespinstotal = 10;
    s.freespinsplayed = 4;
    s.freespinwin = 250;
    r.machine.mnuexit_Click();
    EXPECT_EQ(s.bank, 750);
    EXPECT_EQ(s.freespinwin, 0);
    EXPECT_EQ(s.freespinstotal, 0);
    EXPECT_EQ(s.freespinsplayed, 0);
    r.machine.Form_QueryUnload();
    EXPECT_EQ(s.bank, 750);
}

TEST(Shutdown, SettlingNeverLeavesTheCreditWidth) {
    Rig r;
    auto& s = r.s();
    s.bank = 2147483000;
    s.freespinstotal = 3;
    s.freespinwin = 1000;
    r.machine.settleInPlay();
    EXPECT_EQ(s.bank, 2147483000);  // the overflowing step is skipped
    EXPECT_EQ(s.freespinstotal, 0);
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

TEST(Links, TheMakersSiteOpensWithTheHourglassMeanwhile) {
    Rig r;
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
