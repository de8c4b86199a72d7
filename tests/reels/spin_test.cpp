// What the reel procedures record for a set of stops: the symbol codes per
// line with wild substitution, the wild and scatter cells, the resting
// offsets and the hold requests.
#include <gtest/gtest.h>

#include <random>

#include "reels/paylines.h"
#include "support/rig.h"

namespace velmoran::test {
namespace {

class Spin : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override {
        rig.s().bank = 100000;
        rig.s().reelspeed = 1;
    }
    std::int16_t code(Symbol s, int line) {
        return rig.s().linecode[static_cast<std::size_t>(velmoran::code(s))][static_cast<std::size_t>(line)];
    }
};

// A spin shows every line marker, those of lines not played included.
TEST(SpinStart, EveryLineMarkerStandsShownWhateverTheLinesPlayed) {
    for (const std::int16_t lines : {std::int16_t{1}, std::int16_t{5}, std::int16_t{25}}) {
        Rig r;
        r.s().bank = 100000;
        r.s().lines = lines;
        for (std::int16_t line = 1; line <= 25; ++line) r.view.setVisible({Element::lin, line}, false);
        r.play(1, {16, 15, 16, 21, 13});
        for (std::int16_t line = 1; line <= 25; ++line)
            EXPECT_TRUE(r.view.visible({Element::lin, line})) << lines << " lines, marker " << line;
    }
}

TEST_F(Spin, RestingOffsetsFollowTheStops) {
    rig.play(1, {22, 1, 9, 10, 13});
    EXPECT_EQ(rig.s().reeltop[1], -33000);
    EXPECT_EQ(rig.s().reeltop[2], -1500);
    EXPECT_EQ(rig.s().reelstop[1], 22);
    EXPECT_EQ(rig.s().reelstop[2], 1);
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(rig.view.at(reelElement(r)).top, rig.s().reeltop[static_cast<std::size_t>(r)]);
}

TEST_F(Spin, AWildOnReelTwoCountsForEverySymbolOnItsLines) {
    rig.play(1, {16, 1, 16, 21, 13});
    const auto& s = rig.s();
    EXPECT_EQ(s.wildcell[2], 5);
    EXPECT_EQ(s.holdreel2, 1);  // held for the next spin
    for (const auto line : rowList(2, 2)) {
        EXPECT_EQ(s.wildline[static_cast<std::size_t>(line)], 7) << int(line);
        // Whatever reel 1 shows on the line, reel 2's wild extends its run.
        const Symbol first = symbolAt(1, 16, paylineRow(line, 1));
        if (paysOnLines(first)) {
            EXPECT_GE(code(first, line), 15) << int(line);
        }
    }
    for (const auto line : rowList(2, 1)) EXPECT_EQ(s.wildline[static_cast<std::size_t>(line)], 0);
}

TEST_F(Spin, RecordedCodesAgreeWithTheSymbolsInView) {
    // For many stops, every line's codes are the weights of the reels that
    // show the symbol or a wild on that line, read straight off the strips.
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> stop(1, 22);
    for (int game = 0; game < 300; ++game) {
        const int k[5] = {stop(gen), stop(gen), stop(gen), stop(gen), stop(gen)};
        rig.s().holdreel2 = rig.s().holdreel3 = rig.s().holdreel4 = 0;
        rig.s().freespinstotal = rig.s().freespinsplayed = 0;
        rig.play(1, {k[0], k[1], k[2], k[3], k[4]}, 1);
        const auto& s = rig.s();
        int scatters = 0;
        for (int reel = 1; reel <= 5; ++reel) {
            bool scatter = false;
            for (int row = 1; row <= 3; ++row) scatter |= symbolAt(reel, k[reel - 1], row) == Symbol::Tepee;
            scatters += scatter;
        }
        ASSERT_EQ(s.scattercount, scatters);
        for (int line = 1; line <= 25; ++line)
            for (int sym = 1; sym <= 10; ++sym) {
                int expected = 0;
                for (int reel = 1; reel <= 5; ++reel) {
                    const Symbol shown = symbolAt(reel, k[reel - 1], paylineRow(line, reel));
                    if (velmoran::code(shown) == sym || shown == Symbol::Emblem) expected += reelweight(reel);
                }
                ASSERT_EQ(code(static_cast<Symbol>(sym), line), expected) << "line " << line << " symbol " << sym;
            }
    }
}

TEST_F(Spin, WildCellsOfReelThreeByRow) {
    for (const auto& [stop, cell] : {std::pair{9, 9}, {10, 8}, {11, 7}}) {
        rig.s().holdreel3 = 0;  // draw reel 3 afresh each time
        rig.play(1, {16, 15, stop, 21, 13});
        EXPECT_EQ(rig.s().wildcell[3], cell) << stop;
    }
}

TEST_F(Spin, AScatterInTheTopRowOfReelOne) {
    rig.play(1, {12, 15, 16, 21, 13});
    EXPECT_EQ(rig.s().scattercell[1], 1);
    EXPECT_GE(rig.s().scattercount, 1);
}

TEST_F(Spin, ChiefOnReelsOneToThreeWithOrWithoutAWild) {
    rig.machine.payline_Click(1);
    rig.play(1, {21, 20, 16, 1, 1});
    EXPECT_EQ(code(Symbol::Chief, 1), 21);
    EXPECT_EQ(rig.s().spinwin, 300);
    // Reel 2 at stop 1 puts its wild where the Chief was.
    rig.play(1, {21, 1, 16, 1, 1});
    EXPECT_EQ(code(Symbol::Chief, 1), 21);
}

}  // namespace
}  // namespace velmoran::test
