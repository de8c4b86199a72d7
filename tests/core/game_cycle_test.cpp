// A paid game from the play button to the settled win: the credit check, the
// locking of the controls, the bookkeeping and what the meters show when.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/rig.h"

namespace velmoran::test {
namespace {

// Stops that win nothing at 25 lines, and stops whose only win is three
// Moccasins on line 20 (20 coins at 1 coin a line).
constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};
constexpr std::initializer_list<int> kMoccasins = {13, 22, 7, 14, 1};

// The caption an element had when the first frame of the reel motion was drawn.
std::string captionAtMotionStart(const RecordingView& v, const std::string& element) {
    const auto motion =
        std::find_if(v.log.begin(), v.log.end(), [](const std::string& l) { return l.rfind("move reel", 0) == 0; });
    std::string last;
    for (auto it = v.log.begin(); it != motion; ++it)
        if (it->rfind("caption " + element + "=", 0) == 0) last = it->substr(9 + element.size());
    return last;
}

class GameCycle : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override {
        rig.s().bank = 1000;
        rig.s().reelspeed = 1;
    }
};

TEST_F(GameCycle, ALosingGameTakesTheBetAndShowsNoWin) {
    rig.play(1, kLosing);
    const auto& s = rig.s();
    EXPECT_EQ(s.linebet, 1);
    EXPECT_EQ(s.bank, 975);
    EXPECT_EQ(s.games, 1);
    EXPECT_EQ(s.wager, 25);
    EXPECT_EQ(s.total, 0);
    EXPECT_EQ(s.spinwin, 0);
    for (std::size_t l = 1; l <= 25; ++l) {
        EXPECT_EQ(s.linewon[l], 0);
        EXPECT_EQ(s.linecount[l], 0);
    }
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "No Win");
    EXPECT_EQ(rig.view.caption(Element::lblwin), "");
    EXPECT_EQ(rig.view.caption(Element::lbllast), "25");
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "975");
    EXPECT_EQ(rig.view.caption(Element::Lblcredit), "$ 9.75");
    EXPECT_FALSE(rig.view.enabled(Element::doublebutton));
    EXPECT_FALSE(rig.view.timerOn(Timer::Timerwincounter));
    EXPECT_EQ(rig.view.soundNumbers().front(), 124);
    // The meters show the credit after the bet before the reels move.
    EXPECT_EQ(captionAtMotionStart(rig.view, "PANELBANK"), "975");
    EXPECT_EQ(captionAtMotionStart(rig.view, "LABWIN"), "Good Luck");
}

TEST_F(GameCycle, AWinningGameCreditsTheWinAtOnceAndCountsItUp) {
    rig.play(1, kMoccasins);
    const auto& s = rig.s();
    EXPECT_EQ(s.spinwin, 20);
    EXPECT_EQ(s.bank, 1000 - 25 + 20);
    EXPECT_EQ(s.total, 20);
    EXPECT_EQ(s.wager, 25);
    EXPECT_EQ(s.games, 1);
    EXPECT_EQ(s.linewon[20], 20);
    EXPECT_EQ(s.linecount[20], 3);
    EXPECT_EQ(s.countstep, 1);
    EXPECT_TRUE(rig.view.enabled(Element::doublebutton));
    EXPECT_TRUE(rig.view.timerOn(Timer::Timerwincounter));
    EXPECT_TRUE(rig.view.timerOn(Timer::Timer1));
    // The meters still show the credit before the win until the counter ends.
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "975");
    EXPECT_EQ(rig.view.soundNumbers().back(), 103);  // 11 to 21 cents
}

TEST_F(GameCycle, ARefusedGameChangesNothingButTheBetPerLine) {
    rig.s().bank = 499;
    rig.play(1, kMoccasins);  // a game to leave a result on the screen
    rig.view.clearLogs();
    const MachineState before = rig.s();
    rig.machine.play_Click(6);  // 20 a line at 25 lines is 500
    const auto& s = rig.s();
    EXPECT_EQ(s.linebet, 20);
    EXPECT_EQ(s.bank, before.bank);
    EXPECT_EQ(s.games, before.games);
    EXPECT_EQ(s.wager, before.wager);
    EXPECT_EQ(s.total, before.total);
    EXPECT_EQ(s.spinwin, before.spinwin);
    EXPECT_EQ(s.linewon, before.linewon);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 125}));
    EXPECT_TRUE(rig.view.visible(Element::pannomoney));
    EXPECT_TRUE(rig.view.enabled(Element::COINSIN));
    EXPECT_TRUE(rig.view.pauses.empty());  // no reel moved
    EXPECT_EQ(rig.random.draws, 6);        // only the earlier game drew
}

TEST_F(GameCycle, ATotalBetEqualToTheCreditIsAccepted) {
    rig.s().bank = 25;
    rig.play(1, kLosing);
    EXPECT_EQ(rig.s().bank, 0);
    EXPECT_FALSE(rig.view.visible(Element::pannomoney, true));
}

TEST_F(GameCycle, ControlsAreLockedDuringTheGameAndUnlockedAfterIt) {
    bool lockedDuringGame = true;
    rig.view.onYield = [&](int) {
        for (std::int16_t i = 1; i <= 6; ++i) lockedDuringGame &= !rig.view.enabled({Element::play, i});
        for (std::int16_t i = 1; i <= 5; ++i) lockedDuringGame &= !rig.view.enabled({Element::payline, i});
        lockedDuringGame &= !rig.view.enabled(Element::COINSIN);
    };
    // A winning outcome withdrawn by the re-spin rule, then a losing one.
    rig.random.pushStops(kMoccasins);
    rig.random.pushRespin(4);
    rig.play(1, kLosing);
    rig.view.onYield = nullptr;
    EXPECT_TRUE(lockedDuringGame);
    for (std::int16_t i = 1; i <= 6; ++i) EXPECT_TRUE(rig.view.enabled({Element::play, i}));
    for (std::int16_t i = 1; i <= 5; ++i) EXPECT_TRUE(rig.view.enabled({Element::payline, i}));
    EXPECT_TRUE(rig.view.enabled(Element::COINSIN));
    EXPECT_EQ(rig.s().keycount, 0);
}

TEST_F(GameCycle, PlayButtonsSetTheBetPerLine) {
    const int linebets[] = {1, 2, 3, 5, 10, 20};
    for (std::int16_t i = 1; i <= 6; ++i) {
        rig.s().bank = 100000;
        rig.play(i, kLosing);
        EXPECT_EQ(rig.s().linebet, linebets[i - 1]);
        EXPECT_EQ(rig.view.caption(Element::lbllast), std::to_string(linebets[i - 1] * 25));
    }
    // A press naming no button plays the bet of the last one.
    for (const std::int16_t none : {0, 7}) {
        rig.play(none, kLosing);
        EXPECT_EQ(rig.s().linebet, 20) << none;
    }
}

TEST_F(GameCycle, TheNextGameClearsThePreviousResult) {
    rig.play(1, kMoccasins);
    rig.s().collectedwin = 40;
    rig.s().atrisk = 40;
    rig.s().scatterframe = rig.s().emblemframe = rig.s().multiplierframe = rig.s().multiplierlastframe = 7;
    rig.s().scattercell[2] = 5;
    rig.play(1, kLosing);
    EXPECT_EQ(rig.s().collectedwin, 0);
    EXPECT_EQ(rig.s().atrisk, 0);
    EXPECT_EQ(rig.s().scatterframe, 0);
    EXPECT_EQ(rig.s().emblemframe + rig.s().multiplierframe + rig.s().multiplierlastframe, 0);
    for (int reel = 1; reel <= 5; ++reel) EXPECT_EQ(rig.s().scattercell[static_cast<std::size_t>(reel)], 0);
    EXPECT_EQ(rig.s().linecount[20], 0);
    EXPECT_EQ(rig.s().linewon[20], 0);
    EXPECT_FALSE(rig.view.timerOn(Timer::Timer1));
    EXPECT_FALSE(rig.view.timerOn(Timer::Timerwincounter));
    for (std::int16_t c = 1; c <= 15; ++c) {
        EXPECT_FALSE(rig.view.visible({Element::flasher, c}, true));
        EXPECT_EQ(rig.view.at({Element::flasher, c}).picture, Picture::entry(PictureList::ImageList1, 21));
    }
    for (std::int16_t l = 1; l <= 25; ++l) EXPECT_TRUE(rig.view.visible({Element::lin, l}));
}

TEST_F(GameCycle, AWithdrawnOutcomeLeavesNoTraceAndOnlyTheReplacementIsShown) {
    rig.random.pushStops(kMoccasins);
    rig.random.pushRespin(2);  // withdrawn
    rig.play(1, kLosing);
    const auto& s = rig.s();
    EXPECT_EQ(s.bank, 975);
    EXPECT_EQ(s.games, 1);
    EXPECT_EQ(s.wager, 25);
    EXPECT_EQ(s.total, 0);
    EXPECT_EQ(s.spinwin, 0);
    EXPECT_EQ(s.linecount[20], 0);
    EXPECT_EQ(s.linewon[20], 0);
    EXPECT_EQ(s.reelstop[1], 16);
    // One reel motion only, ending on the replacement's stops.
    const auto moves1 = std::count_if(rig.view.log.begin(), rig.view.log.end(),
                                      [](const std::string& l) { return l.rfind("move reel1=", 0) == 0; });
    EXPECT_EQ(moves1, 9 + 10);  // phases 1 and 2 at speed 1 with reel 1 at stop 16
    EXPECT_EQ(rig.view.at(Element::reel1).top, -1500 * 16);
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "No Win");
    // Both spins ran the whole preamble with its yields.
    EXPECT_EQ(std::count(rig.view.log.begin(), rig.view.log.end(), "stop Timerrespin"), 2);
}

TEST_F(GameCycle, ManyWithdrawalsInARowDoNotExhaustTheStack) {
    for (int i = 0; i < 20000; ++i) {
        rig.random.pushStops(kMoccasins);
        rig.random.pushRespin(7);
    }
    rig.view.logEnabled = false;
    rig.play(1, kLosing);
    EXPECT_EQ(rig.s().games, 1);
    EXPECT_EQ(rig.s().bank, 975);
    EXPECT_TRUE(rig.random.script.empty());
}

TEST_F(GameCycle, OverflowingCreditSkipsTheStep) {
    rig.s().bank = 2147483647 - 5;
    rig.play(1, kMoccasins);
    // The bet was taken (2147483617 after it); the win of 20 fits.
    EXPECT_EQ(rig.s().bank, 2147483647 - 5 - 25 + 20);
    rig.s().bank = 2147483647 - 10;
    rig.s().total = 2147483647;
    rig.play(1, kMoccasins);
    // bank - 25 + 20 fits; total + 20 does not and keeps its value.
    EXPECT_EQ(rig.s().bank, 2147483647 - 15);
    EXPECT_EQ(rig.s().total, 2147483647);
    rig.s().bank = 2147483647;
    rig.machine.COINSIN_Click();
    EXPECT_EQ(rig.s().bank, 2147483647);
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "2147483647");
}

}  // namespace
}  // namespace velmoran::test
