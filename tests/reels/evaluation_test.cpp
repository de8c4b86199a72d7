// Line and scatter pays: wild substitution, the run from reel 1, the
// Headdress pair, active lines, scatter pays and the free-spin award.
#include <gtest/gtest.h>

#include "support/rig.h"

namespace velmoran::test {
namespace {

class Evaluation : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override {
        rig.s().bank = 100000;
        rig.s().reelspeed = 1;
    }
    void oneLine() { rig.machine.payline_Click(1); }
};

TEST_F(Evaluation, ARunCountsOnlyFromReelOneWithoutAGap) {
    oneLine();
    rig.play(1, {21, 20, 16, 1, 1});  // Chief on reels 1 to 3 of line 1
    EXPECT_EQ(rig.s().spinwin, 300);
    EXPECT_EQ(rig.s().linecount[1], 3);
    EXPECT_EQ(rig.s().linewon[1], 1);
    rig.play(1, {21, 20, 16, 1, 18});  // and on reel 5 too, but not on reel 4: code 41
    EXPECT_EQ(rig.s().linecode[8][1], 41);
    EXPECT_EQ(rig.s().spinwin, 300);
    EXPECT_EQ(rig.s().linecount[1], 3);
}

TEST_F(Evaluation, FiveChiefsAtTwentyALinePayThirtyThousand) {
    oneLine();
    rig.play(6, {21, 20, 16, 17, 18});
    EXPECT_EQ(rig.s().linecode[8][1], 51);
    EXPECT_EQ(rig.s().spinwin, 30000);
    EXPECT_EQ(rig.s().linecount[1], 5);
}

TEST_F(Evaluation, WildsSubstituteButOnlyTheReelOneSymbolCanWin) {
    oneLine();
    // LetterJ on reel 1, the wild on reels 2, 3 and 4, LetterQ on reel 5.
    rig.play(1, {1, 1, 10, 10, 3});
    EXPECT_EQ(rig.s().linecode[1][1], 31);
    EXPECT_EQ(rig.s().linecode[6][1], 43);
    EXPECT_EQ(rig.s().spinwin, 20);
    EXPECT_EQ(rig.s().linecount[1], 4);
}

TEST_F(Evaluation, HeaddressPaysAPairOnReelsOneAndTwoOnly) {
    oneLine();
    rig.play(1, {3, 4, 2, 1, 1});
    EXPECT_EQ(rig.s().linecode[3][1], 15);
    EXPECT_EQ(rig.s().spinwin, 2);
    EXPECT_EQ(rig.s().linecount[1], 2);
    rig.play(1, {3, 2, 11, 1, 1});  // reels 1 and 3: code 14
    EXPECT_EQ(rig.s().linecode[3][1], 14);
    EXPECT_EQ(rig.s().spinwin, 0);
    EXPECT_EQ(rig.s().linecount[1], 0);
}

TEST_F(Evaluation, AScatterOnReelOnePaysNothingOnItsLine) {
    oneLine();
    rig.play(1, {11, 1, 10, 10, 1});  // Tepee middle of reel 1, wilds behind it
    EXPECT_EQ(rig.s().spinwin, 0);
    EXPECT_EQ(rig.s().linewon[1], 0);
}

TEST_F(Evaluation, OnlyActiveLinesArePaid) {
    // Three Moccasins on line 20 pay with 25 lines and not with 15.
    rig.machine.payline_Click(4);
    rig.play(1, {13, 22, 7, 14, 1});
    EXPECT_EQ(rig.s().spinwin, 0);
    EXPECT_EQ(rig.s().linewon[20], 0);
    EXPECT_EQ(rig.s().linecount[20], 0);
    EXPECT_EQ(rig.s().linecode[9][20], 21);  // still recorded
    EXPECT_EQ(rig.s().wager, 15);
}

TEST_F(Evaluation, TwoScattersPayTheTotalBetAndAwardNothing) {
    rig.play(1, {10, 6, 14, 19, 9});
    EXPECT_EQ(rig.s().scattercount, 2);
    EXPECT_EQ(rig.s().spinwin, 25);
    EXPECT_EQ(rig.s().freespinstotal, 0);
    EXPECT_TRUE(rig.view.timerOn(Timer::Timerscatters));
    EXPECT_EQ(rig.view.soundNumbers().back(), 104);  // 22 to 30 cents
}

TEST_F(Evaluation, ThreeScattersAtTwentyALineStartASequence) {
    rig.play(6, {10, 3, 6, 6, 9});
    const auto& s = rig.s();
    EXPECT_EQ(s.scattercount, 3);
    // 5 x 500 for the scatters plus four Headdress pairs at 20 a line.
    EXPECT_EQ(s.spinwin, 2500 + 4 * 40);
    EXPECT_EQ(s.freespinstotal, 11);
    EXPECT_EQ(s.freespinsplayed, 1);
    EXPECT_EQ(rig.view.caption(Element::spinsleft), "     Freespins Remaining  10");
    // The triggering spin is given back: no game, no wager, the bet returned.
    EXPECT_EQ(s.games, 0);
    EXPECT_EQ(s.wager, 0);
    EXPECT_EQ(s.bank, 100000);
    EXPECT_EQ(s.freespinwin, 2660);
    EXPECT_EQ(s.total, 2660);
    EXPECT_TRUE(rig.view.timerOn(Timer::timerarrow));
    EXPECT_TRUE(rig.view.visible(Element::arrowpicture));
    EXPECT_FALSE(rig.view.keyPreview);
    for (std::int16_t i = 1; i <= 6; ++i) EXPECT_FALSE(rig.view.visible({Element::play, i}, true));
    EXPECT_FALSE(rig.view.visible(Element::notes, true));
    EXPECT_FALSE(rig.view.visible(Element::LABLASTBET, true));
    EXPECT_TRUE(rig.view.visible(Element::LABTHISWIN));
}

TEST_F(Evaluation, ATriggerNeverGetsWithdrawnAndAWinUsuallyDoes) {
    rig.play(1, {10, 3, 6, 6, 9}, 5);  // t = 5 would withdraw any other win
    EXPECT_EQ(rig.s().freespinstotal, 11);
}

TEST_F(Evaluation, ANoWinSpinDoesNotSetTheCounterStep) {
    rig.s().countstep = 9;
    rig.play(1, {16, 15, 16, 21, 13});
    EXPECT_EQ(rig.s().countstep, 0);  // the win sound step clears it
    EXPECT_EQ(rig.s().wager, 25);
    EXPECT_EQ(rig.s().games, 1);
}

}  // namespace
}  // namespace velmoran::test
