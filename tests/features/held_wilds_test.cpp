// Held wilds: a reel that rests on its wild keeps its stop for exactly one
// further spin, does not move and makes no stop sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/rig.h"

namespace velmoran::test {
namespace {

constexpr std::initializer_list<int> kWildOnReel2 = {1, 1, 2, 1, 1};  // loses at 25 lines
constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};

class HeldWilds : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override {
        rig.s().bank = 10000;
        rig.s().reelspeed = 1;
    }
    long movesOf(int reel) const {
        const std::string prefix = "move reel" + std::to_string(reel) + "=";
        return std::count_if(rig.view.log.begin(), rig.view.log.end(),
                             [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }
};

TEST_F(HeldWilds, AWildIsHeldForExactlyOneFurtherSpin) {
    rig.play(1, kWildOnReel2);
    EXPECT_EQ(rig.s().holdreel2, 1);
    rig.view.clearLogs();
    rig.play(1, {16, 16, 21, 13});  // reel 2 takes no draw
    EXPECT_EQ(rig.s().reelstop[2], 1);
    EXPECT_EQ(rig.s().wildcell[2], 5);
    EXPECT_EQ(movesOf(2), 0);
    const auto sounds = rig.view.soundNumbers();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 116), 4);  // reel 2 makes no stop sound
    EXPECT_EQ(rig.s().holdreel2, 0);
    EXPECT_EQ(rig.s().heldreel2, 0);
    rig.play(1, kLosing);  // drawn again
    EXPECT_EQ(rig.s().reelstop[2], 15);
}

TEST_F(HeldWilds, AHeldSpinIsNeverWithdrawn) {
    rig.play(1, kWildOnReel2);
    // Reel 2's wild in the middle, Dreamcatchers on line 16: a win, and the
    // re-spin draw says withdraw, yet the outcome stands.
    rig.play(1, {16, 3, 1, 13}, 6);
    EXPECT_GT(rig.s().spinwin, 0);
    EXPECT_EQ(rig.s().games, 2);
    EXPECT_TRUE(rig.random.script.empty());
}

TEST_F(HeldWilds, AWithdrawnOutcomeLeavesNoHold) {
    // A win with reel 2's wild, withdrawn: the replacement draws all five reels.
    rig.random.pushStops({16, 1, 3, 1, 13});
    rig.random.pushRespin(3);
    rig.play(1, kLosing);
    EXPECT_EQ(rig.s().reelstop[2], 15);
    EXPECT_EQ(rig.s().holdreel2, 0);
    EXPECT_TRUE(rig.random.script.empty());
}

TEST_F(HeldWilds, TwoReelsCanBeHeldAtOnce) {
    rig.play(1, {16, 15, 10, 10, 13});
    EXPECT_EQ(rig.s().holdreel3, 1);
    EXPECT_EQ(rig.s().holdreel4, 1);
    rig.view.clearLogs();
    rig.play(1, {16, 15, 13});
    EXPECT_EQ(rig.s().reelstop[3], 10);
    EXPECT_EQ(rig.s().reelstop[4], 10);
    EXPECT_EQ(movesOf(3), 0);
    EXPECT_EQ(movesOf(4), 0);
    EXPECT_EQ(rig.s().holdreel3 + rig.s().holdreel4, 0);
}

TEST_F(HeldWilds, HoldingWithReelOneAtItsLastStopStillLastsOneSpin) {
    // Reel 1 at stop 22 gives the motion no first phase; the hold is cleared anyway.
    rig.play(1, kWildOnReel2);
    rig.play(1, {22, 16, 21, 13});
    EXPECT_EQ(rig.s().holdreel2, 0);
    rig.play(1, kLosing);
    EXPECT_EQ(rig.s().reelstop[2], 15);
}

TEST_F(HeldWilds, AWildOnTheLastFreeSpinIsHeldAfterTheCollect) {
    auto& s = rig.s();
    s.linebet = 1;
    s.freespinstotal = 11;
    s.freespinsplayed = 10;
    rig.random.pushStops(kWildOnReel2);
    rig.random.pushMultiplierDraw(20);
    rig.random.pushRespin(1);
    rig.machine.Timerrespin_Timer();
    ASSERT_EQ(s.freespinsplayed, 11);
    rig.machine.takewin_Click();
    EXPECT_EQ(s.holdreel2, 1);
    rig.play(1, {16, 16, 21, 13});
    EXPECT_EQ(s.reelstop[2], 1);
}

}  // namespace
}  // namespace velmoran::test
