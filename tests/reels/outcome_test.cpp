// The pure evaluation of a set of stops: runs from reel 1, wild
// substitution, the Headdress pair, active lines, scatters, the wild cells
// and the multiplier's condition; and its agreement with what the reel
// procedures record and the game books for the same stops.
#include <gtest/gtest.h>

#include <random>

#include "reels/outcome.h"
#include "reels/paylines.h"
#include "support/rig.h"

namespace velmoran::test {
namespace {

struct LineCase {
    const char* what;
    ReelStops stops;
    std::int16_t linebet;
    Symbol symbol;
    std::int16_t linecode;  // of line 1 for its reel-1 symbol
    std::int8_t run;
    std::int32_t cents;
    bool wildinrun;
};

TEST(Outcome, LineOneCases) {
    const LineCase cases[] = {
        {"Chief on reels 1 to 3", {21, 20, 16, 1, 1}, 1, Symbol::Chief, 21, 3, 300, false},
        {"and on reel 5 after a gap", {21, 20, 16, 1, 18}, 1, Symbol::Chief, 41, 3, 300, false},
        {"five Chiefs at 20 a line", {21, 20, 16, 17, 18}, 20, Symbol::Chief, 51, 5, 30000, false},
        {"wilds on reels 2 to 4", {1, 1, 10, 10, 3}, 1, Symbol::LetterJ, 31, 4, 20, true},
        {"LetterJ three with reel 2's wild", {1, 1, 5, 1, 1}, 2, Symbol::LetterJ, 21, 3, 10, true},
        {"Headdress pair", {3, 4, 2, 1, 1}, 1, Symbol::Headdress, 15, 2, 2, false},
        {"Headdress on reels 1 and 3", {3, 2, 11, 1, 1}, 1, Symbol::Headdress, 14, 0, 0, false},
        {"Headdress pair, wild on reel 4", {3, 4, 2, 10, 1}, 1, Symbol::Headdress, 25, 2, 2, false},
        {"scatter on reel 1, wilds behind", {11, 1, 10, 10, 1}, 1, Symbol::Tepee, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        const Outcome o = evaluateOutcome(c.stops, 1, c.linebet);
        const LineResult line = o.line(1);
        EXPECT_EQ(line.symbol, c.symbol) << c.what;
        EXPECT_EQ(linecodeOf(line.reels), c.linecode) << c.what;
        EXPECT_EQ(line.run, c.run) << c.what;
        EXPECT_EQ(line.cents, c.cents) << c.what;
        EXPECT_EQ(o.linewin, c.cents) << c.what;
        EXPECT_EQ(o.wildinrun, c.wildinrun) << c.what;
        for (int l = 2; l <= kLines; ++l) EXPECT_EQ(o.line(l).run, 0) << c.what << " line " << l;
    }
}

TEST(Outcome, ScattersAndWildsAnywhere) {
    const Outcome two = evaluateOutcome({10, 6, 14, 19, 9}, 25, 1);
    EXPECT_EQ(two.scattercount, 2);
    EXPECT_EQ(two.scatterwin, 25);
    EXPECT_EQ(two.spinwin, 25);

    // Three scatters at 20 a line: 5 x 500, and four Headdress pairs.
    const Outcome three = evaluateOutcome({10, 3, 6, 6, 9}, 25, 20);
    EXPECT_EQ(three.scattercount, 3);
    EXPECT_EQ(three.scatterwin, 2500);
    EXPECT_EQ(three.linewin, 160);
    EXPECT_EQ(three.spinwin, 2660);
    EXPECT_EQ(three.scattercell, (std::array<std::int16_t, 5>{3, 0, 0, 11, 13}));

    const Outcome wilds = evaluateOutcome({1, 1, 10, 10, 3}, 25, 1);
    EXPECT_EQ(wilds.wildcell, (std::array<std::int16_t, 5>{0, 5, 8, 11, 0}));
    EXPECT_EQ(wilds.wildreels, 0b01110);

    // The scatter pay is formed in 16 bits: past its width nothing is paid.
    EXPECT_EQ(scatterWin(5, 25, 20), 10000);
    EXPECT_EQ(scatterWin(5, 25, 100), 0);
    EXPECT_EQ(scatterWin(1, 25, 20), 0);
}

TEST(Outcome, OnlyActiveLinesCarryARun) {
    // Three Moccasins on line 20 are seen at every line count, paid at 25 only.
    for (const std::int16_t lines : {15, 25}) {
        const Outcome o = evaluateOutcome({13, 22, 7, 14, 1}, lines, 1);
        EXPECT_EQ(o.line(20).symbol, Symbol::Moccasins);
        EXPECT_EQ(linecodeOf(o.line(20).reels), 21);
        EXPECT_EQ(o.line(20).run, lines == 25 ? 3 : 0);
    }
    EXPECT_EQ(evaluateOutcome({13, 22, 7, 14, 1}, 0, 1).spinwin, 0);
}

// For drawn stops the outcome is what the game records and books: the
// linecode of each line's reel-1 symbol, the scatters and wilds, the hold
// requests, and the paid lines and win.
TEST(Outcome, AgreesWithTheRecordedSpin) {
    Rig rig;
    rig.s().bank = 1000000;
    rig.s().reelspeed = 1;
    std::mt19937 gen(17);
    std::uniform_int_distribution<int> stop(1, kStops);
    for (int game = 0; game < 300; ++game) {
        const ReelStops k{static_cast<std::int16_t>(stop(gen)), static_cast<std::int16_t>(stop(gen)),
                          static_cast<std::int16_t>(stop(gen)), static_cast<std::int16_t>(stop(gen)),
                          static_cast<std::int16_t>(stop(gen))};
        rig.s().holdreel2 = rig.s().holdreel3 = rig.s().holdreel4 = 0;
        rig.s().freespinstotal = rig.s().freespinsplayed = 0;
        rig.play(static_cast<std::int16_t>(1 + game % 6), {k[0], k[1], k[2], k[3], k[4]}, 1);
        const auto& s = rig.s();
        const Outcome o = evaluateOutcome(k, s.lines, s.linebet);
        ASSERT_EQ(o.scattercount, s.scattercount);
        ASSERT_EQ(o.spinwin, s.spinwin) << game;
        std::uint8_t holds = 0;
        for (int reel = 1; reel <= kReels; ++reel) {
            const auto r = static_cast<std::size_t>(reel);
            ASSERT_EQ(o.scattercell[r - 1], s.scattercell[r]);
            ASSERT_EQ(o.wildcell[r - 1], s.wildcell[r]);
            if (const auto* hold = rig.s().holdreel(reel); hold != nullptr && *hold > 0) holds |= 1U << (reel - 1);
        }
        ASSERT_EQ(o.wildreels, holds);
        for (int line = 1; line <= kLines; ++line) {
            const auto l = static_cast<std::size_t>(line);
            const LineResult result = o.line(line);
            if (paysOnLines(result.symbol)) {
                ASSERT_EQ(linecodeOf(result.reels), s.linecode[static_cast<std::size_t>(code(result.symbol))][l]);
            }
            ASSERT_EQ(result.run, s.linecount[l]) << "line " << line;
            ASSERT_EQ(result.run > 0 ? line : 0, s.linewon[l]) << "line " << line;
        }
    }
}

}  // namespace
}  // namespace velmoran::test
