// Free spins: a sequence from its trigger to the collect, the give-back of
// every spin but the last, retriggers, the multiplier and the automatic press.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/rig.h"

namespace velmoran::test {
namespace {

constexpr std::initializer_list<int> kTrigger3 = {10, 3, 6, 6, 9};  // 3 scatters: 133 at 1 a line
constexpr std::initializer_list<int> kTrigger4 = {1, 3, 1, 5, 7};   // 4 scatters: 250 at 1 a line
constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};

// One free spin's draws: the stops, the multiplier draw, the re-spin draw.
void scriptFreeSpin(ScriptedRandom& r, std::initializer_list<int> stops, int multiplierDraw = 20) {
    r.pushStops(stops);
    r.pushMultiplierDraw(multiplierDraw);
    r.pushRespin(1);
}

class FreeSpins : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override {
        rig.s().bank = 1000;
        rig.s().reelspeed = 1;
        rig.s().winroll = 1;
    }
};

TEST_F(FreeSpins, AWholeSequenceCostsOneBetAndCountsAsOneGame) {
    rig.play(1, kTrigger3);
    ASSERT_EQ(rig.s().freespinstotal, 11);
    EXPECT_EQ(rig.s().bank, 1000);  // the triggering spin was given back
    for (int i = 0; i < 10; ++i) scriptFreeSpin(rig.random, kLosing);
    // The machine plays the ten free spins by itself.
    ASSERT_TRUE(rig.runUntilStopped(Timer::Timerwincounter, 10000));
    rig.runTimers(100000);
    EXPECT_TRUE(rig.random.script.empty());
    const auto& s = rig.s();
    EXPECT_EQ(s.freespinsplayed, 11);
    EXPECT_EQ(rig.view.caption(Element::spinsleft), "Freespins Completed          ");
    EXPECT_TRUE(rig.view.visible(Element::takewin));
    EXPECT_TRUE(rig.view.enabled(Element::takewin));
    EXPECT_TRUE(rig.view.visible(Element::LABLASTBET));
    EXPECT_TRUE(rig.view.visible(Element::lbllast));
    EXPECT_FALSE(rig.view.visible(Element::LABTHISWIN, true));
    EXPECT_FALSE(rig.view.visible(Element::Lblcurrentwin, true));
    EXPECT_FALSE(rig.view.timerOn(Timer::Timerrespin));
    EXPECT_EQ(s.games, 1);
    EXPECT_EQ(s.wager, 25);
    EXPECT_EQ(s.bank, 975);  // the last spin's bet stays taken
    EXPECT_EQ(s.freespinwin, 133);
    rig.machine.takewin_Click();
    EXPECT_EQ(s.bank, 975 + 133);
    EXPECT_EQ(s.total, 133);
    EXPECT_EQ(s.bank - s.amountinvested, 1000 + s.total - s.wager);
}

TEST_F(FreeSpins, TheAutomaticPressComesFourSecondsAfterTheCounter) {
    rig.play(1, kTrigger3);
    rig.view.keyPreview = true;  // the award switched it off; now each press must
    for (int i = 0; i < 3; ++i) scriptFreeSpin(rig.random, kLosing);
    // Count the trigger's win, then run until three free spins have started.
    std::vector<std::int64_t> counterStops, presses;
    for (std::size_t seen = rig.view.timerLog.size(); presses.size() < 3 && rig.view.clockMs < 60000;) {
        rig.runTimers(100);
        for (; seen < rig.view.timerLog.size(); ++seen) {
            const auto [t, on] = rig.view.timerLog[seen];
            if (t == Timer::Timerwincounter && !on) counterStops.push_back(rig.view.timerLogAt[seen]);
            if (t == Timer::Timerrespin && !on) presses.push_back(rig.view.timerLogAt[seen]);  // spinreel1 stops it
        }
    }
    ASSERT_EQ(presses.size(), 3U);
    // Four seconds, or a little more when a win line tick (which pauses
    // 150 ms) was running when the press fell due.
    for (std::size_t i = 0; i < presses.size(); ++i) {
        EXPECT_GE(presses[i] - counterStops[i], 4000) << i;
        EXPECT_LE(presses[i] - counterStops[i], 4150) << i;
    }
    EXPECT_EQ(rig.view.caption(Element::Lblcurrentwin), "");  // cleared by the press
    EXPECT_FALSE(rig.view.keyPreview);
}

TEST_F(FreeSpins, ARetriggerAddsTwentyOneSpins) {
    rig.play(1, kTrigger3);
    scriptFreeSpin(rig.random, kTrigger4);
    rig.runUntilStopped(Timer::Timerwincounter);
    rig.runTimers(4100);  // the automatic press plays the retriggering spin
    EXPECT_EQ(rig.s().freespinstotal, 32);
    EXPECT_EQ(rig.s().freespinsplayed, 2);
    EXPECT_EQ(rig.view.caption(Element::spinsleft), "     Freespins Remaining  30");
    EXPECT_EQ(rig.s().freespinwin, 133 + 250);
}

TEST_F(FreeSpins, TheMultiplierNeedsAWildInsideAWinningRun) {
    auto& s = rig.s();
    s.linebet = 1;
    rig.machine.payline_Click(1);
    s.freespinstotal = 11;
    s.freespinsplayed = 3;
    // LetterJ three of a kind on line 1 with reel 2's wild in the run.
    // The draw picks the factor and the first frame of its animation.
    struct Draw {
        int draw;
        std::int16_t factor, frame;
    };
    for (const auto& [draw, factor, frame] :
         {Draw{1, 10, 23}, {2, 5, 31}, {5, 5, 31}, {6, 3, 27}, {14, 3, 27}, {15, 2, 23}, {25, 2, 23}}) {
        s.holdreel2 = 0;
        scriptFreeSpin(rig.random, {1, 1, 5, 1, 1}, draw);
        rig.machine.Timerrespin_Timer();  // the machine's own press
        EXPECT_EQ(s.multiplier, factor) << draw;
        EXPECT_EQ(s.multiplierframe, frame) << draw;
        EXPECT_EQ(s.spinwin, 5 * factor) << draw;
    }
    // A Headdress pair on reels 1 and 2 with the wild on reel 4: only reel 2
    // is examined, so nothing is multiplied.
    s.holdreel2 = 0;
    s.holdreel4 = 0;
    scriptFreeSpin(rig.random, {3, 4, 2, 10, 1}, 1);
    rig.machine.Timerrespin_Timer();
    EXPECT_EQ(s.multiplier, 1);
    EXPECT_EQ(s.multiplierframe, 23);  // the drawn frame stays
    EXPECT_EQ(s.spinwin, 2);
}

TEST(FreeSpinMultiplier, AWildAnywhereInsideTheRunCounts) {
    // Each win on line 1 alone (or on line 25 among all lines), its only wild
    // on the reel named; the draw of 20 gives x2.
    struct Case {
        const char* what;
        std::initializer_list<int> stops;
        std::int32_t pay;
        std::int16_t paylineButton = 1;
    };
    const Case cases[] = {
        {"a Headdress pair through the wild of reel 2", {3, 1, 2, 1, 1}, 2},
        {"three LetterJ through the wild of reel 3", {1, 5, 10, 1, 1}, 5},
        {"four LetterJ through the wild of reel 4", {1, 5, 5, 10, 1}, 20},
        {"five LetterJ through the wild of reel 4", {1, 5, 5, 10, 6}, 100},
        {"at 25 lines, only line 25 with a wild in its run", {1, 13, 20, 10, 1}, 90, 5},
    };
    for (const auto& c : cases) {
        Rig r;
        auto& s = r.s();
        s.bank = 1000;
        s.reelspeed = 1;
        s.linebet = 1;
        r.machine.payline_Click(c.paylineButton);
        s.freespinstotal = 11;
        s.freespinsplayed = 3;
        scriptFreeSpin(r.random, c.stops, 20);
        r.machine.Timerrespin_Timer();
        EXPECT_EQ(s.multiplier, 2) << c.what;
        EXPECT_EQ(s.spinwin, 2 * c.pay) << c.what;
    }
}

TEST_F(FreeSpins, TheTriggeringSpinIsNeverMultiplied) {
    rig.play(1, kTrigger3);
    EXPECT_EQ(rig.s().multiplier, 1);
    EXPECT_EQ(rig.s().spinwin, 133);
}

TEST_F(FreeSpins, MenusAndKeysAreRefusedDuringASequence) {
    rig.play(1, kTrigger3);
    const auto bank = rig.s().bank;
    rig.machine.mnuzerocredit_Click();
    EXPECT_EQ(rig.s().bank, bank);
    std::int16_t key = 32;
    rig.machine.Form_KeyPress(key);
    EXPECT_EQ(rig.s().freespinsplayed, 1);
}

}  // namespace
}  // namespace velmoran::test
