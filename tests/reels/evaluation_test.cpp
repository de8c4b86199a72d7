// Line and scatter pays: wild substitution, the run from reel 1, the
// Headdress pair, active lines, scatter pays and the free-spin award; and
// the whole evaluation against an evaluator written from the pay rules alone.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "reels/outcome.h"
#include "reels/strips.h"
#include "support/null_view.h"
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
    EXPECT_TRUE(rig.view.visible(Element::spinsleft));
    // The triggering spin is given back: no game, no wager, the bet returned.
    EXPECT_EQ(s.games, 0);
    EXPECT_EQ(s.wager, 0);
    EXPECT_EQ(s.bank, 100000);
    EXPECT_EQ(s.freespinwin, 2660);
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "2660");  // the sequence's win so far
    EXPECT_EQ(rig.view.caption(Element::lblwin), "$ 26.6");
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

TEST_F(Evaluation, TheSmallestWinFollowsTheRespinRuleAndIsCountedWhenItStands) {
    oneLine();
    // Two scatters at one line of one cent: withdrawn at t = 5, then a loss.
    rig.random.pushStops({10, 6, 14, 19, 9});
    rig.random.pushRespin(5);
    rig.random.pushStops({12, 15, 16, 21, 13});
    rig.random.pushRespin(1);
    rig.machine.play_Click(1);
    EXPECT_TRUE(rig.random.script.empty());
    EXPECT_EQ(rig.s().spinwin, 0);
    EXPECT_EQ(rig.s().games, 1);
    EXPECT_EQ(rig.s().bank, 100000 - 1);
    // Standing, the cent is counted up to its end.
    rig.s().winroll = 1;
    rig.play(1, {10, 6, 14, 19, 9});
    ASSERT_EQ(rig.s().spinwin, 1);
    EXPECT_TRUE(rig.runUntilStopped(Timer::Timerwincounter, 10000));
    EXPECT_EQ(rig.view.caption(Element::lblwin), "$ 0.01");
}

TEST_F(Evaluation, ACentFromTwoScattersStartsTheWildDisplaysOfItsLine) {
    oneLine();
    rig.play(1, {11, 1, 6, 6, 1});  // the wild on line 1, which wins nothing
    ASSERT_EQ(rig.s().spinwin, 1);
    EXPECT_TRUE(rig.view.timerOn(Timer::Timer4));
    EXPECT_TRUE(rig.view.timerOn(Timer::timerwild));
    EXPECT_FALSE(rig.view.timerOn(Timer::Timer1));
}

TEST_F(Evaluation, ATriggerAtOneLineShowsTheWinOfThatLine) {
    oneLine();
    rig.play(1, {1, 1, 5, 5, 7});  // three scatters and J, wild, J on line 1
    ASSERT_EQ(rig.s().freespinstotal, 11);
    EXPECT_EQ(rig.s().linecount[1], 3);
    EXPECT_TRUE(rig.view.timerOn(Timer::Timer1));
}

TEST_F(Evaluation, FiveScattersAwardThirtySpins) {
    rig.play(1, {1, 9, 1, 7, 9});
    EXPECT_EQ(rig.s().scattercount, 5);
    EXPECT_EQ(rig.s().freespinstotal, 31);
    EXPECT_EQ(rig.view.caption(Element::spinsleft), "     Freespins Remaining  30");
}

TEST_F(Evaluation, AnAwardWhileTheArrowHasRunStartsNoArrow) {
    rig.s().arrowtick = 75;  // no collect since the last run
    rig.play(1, {10, 3, 6, 6, 9});
    EXPECT_EQ(rig.s().freespinstotal, 11);
    EXPECT_FALSE(rig.view.timerOn(Timer::timerarrow));
    EXPECT_FALSE(rig.view.visible(Element::arrowpicture));
}

TEST(EvaluationTimers, TheResultStartsItsDisplays) {
    struct Case {
        const char* what;
        std::initializer_list<int> stops;
        std::int16_t played;  // freespinsplayed before the spin; 0 for a paid game
        bool lines, wild, multiplierWild, scatters;
    };
    const Case cases[] = {
        {"a line win", {8, 6, 8, 2, 1}, 0, true, false, false, false},
        {"a line win through a wild", {1, 1, 5, 1, 1}, 0, true, true, true, false},
        {"a wild without a win", {1, 1, 2, 1, 1}, 0, false, false, false, false},
        {"two scatters and no line", {10, 6, 14, 19, 9}, 0, false, false, false, true},
        {"one scatter and no line", {12, 15, 16, 21, 13}, 0, false, false, false, false},
        {"a free spin's win through a wild", {1, 1, 5, 1, 1}, 3, true, false, true, false},
        {"three scatters", {10, 3, 6, 6, 9}, 0, true, false, false, true},
        {"three scatters and a wild", {10, 2, 6, 6, 9}, 0, true, true, false, true},
        {"a retrigger with a wild", {10, 2, 6, 6, 9}, 1, true, false, true, true},
        {"Headdress pairs alone", {10, 3, 6, 6, 1}, 0, true, false, false, true},
    };
    for (const auto& c : cases) {
        Rig r;
        auto& s = r.s();
        s.bank = 100000;
        s.reelspeed = 1;
        if (c.played > 0) {
            s.linebet = 1;
            s.freespinstotal = 11;
            s.freespinsplayed = c.played;
            r.random.pushStops(c.stops);
            r.random.pushMultiplierDraw(20);
            r.random.pushRespin(1);
            r.machine.Timerrespin_Timer();
        } else {
            r.play(1, c.stops);
        }
        EXPECT_EQ(r.view.timerOn(Timer::Timer1), c.lines) << c.what;
        EXPECT_EQ(r.view.timerOn(Timer::Timer4), c.wild) << c.what;
        EXPECT_EQ(r.view.timerOn(Timer::timerwild), c.multiplierWild) << c.what;
        EXPECT_EQ(r.view.timerOn(Timer::Timerscatters), c.scatters) << c.what;
        if (c.lines) {
            // The win line cycle starts its search at line 1 on a hidden tick.
            EXPECT_EQ(s.showline, 26) << c.what;
            EXPECT_EQ(s.blinkphase, 26) << c.what;
        }
    }
}

TEST_F(Evaluation, ANoWinSpinDoesNotSetTheCounterStep) {
    rig.s().countstep = 9;
    rig.play(1, {16, 15, 16, 21, 13});
    EXPECT_EQ(rig.s().countstep, 0);  // the win sound step clears it
    EXPECT_EQ(rig.s().wager, 25);
    EXPECT_EQ(rig.s().games, 1);
}

// The evaluator below has its own copy of the strips, the paylines and the
// pay table, and its own rules: the symbol on reel 1 starts the run, a wild
// on reels 2 to 4 extends it, only the Headdress pays a pair, and scatters
// pay anywhere. The machine must agree with it on every stop combination at
// 25 lines, and on a seeded sample of the other line counts and bets.

// Cells 0 to 28 of each reel, from the top. J, K and Q are the letters,
// H Headdress, D Dreamcatcher, T Totem, B BuffaloSkull, C Chief, M Moccasins,
// W Maiden, S the scatter Tepee, E the wild Emblem.
constexpr std::string_view kSymbolLetters = "JKHDTQBCMWSE";  // codes 1 to 12
constexpr std::array<std::string_view, 5> kReels{
    "HSJKHBJTHQMHSJMQWJDKBKCSHTQKB", "KHEKQHJQMSTDQJWKHBWQJCMHTEKQJ", "BSHQBDJTBMDEHBJQTCWHTJKDHTQBK",
    "STDMKHMSTDQEJHKBHJCWHTQBDEKTJ", "KHBKQDTJCSTHMQDJBTWCMKJHBQCMQ",
};
// The row (Top, Middle, Bottom) each line crosses on reels 1 to 5.
constexpr std::array<std::string_view, 25> kLineRows{
    "MMMMM", "TTTTT", "BBBBB", "TMBMT", "BMTMB", "TTMTT", "BBMBB", "MTTTM", "MBBBM", "MMTMM", "MMBMM", "TMMMT", "BMMMB",
    "TMTMT", "MTMTM", "BMBMB", "MBMBM", "TBTBT", "BTBTB", "MTBTM", "MBTBM", "MTMBM", "MBMTM", "TTTMB", "BBBMT",
};
// Coins per coin bet on the line for a run of 2, 3, 4 and 5.
struct LinePay {
    char symbol;
    std::array<int, 4> byRun;
};
constexpr std::array<LinePay, 10> kLinePayTable{{
    {'C', {0, 300, 600, 1500}},
    {'W', {0, 100, 250, 800}},
    {'D', {0, 100, 250, 800}},
    {'B', {0, 50, 75, 150}},
    {'T', {0, 20, 40, 125}},
    {'M', {0, 20, 50, 150}},
    {'K', {0, 15, 50, 175}},
    {'Q', {0, 10, 20, 100}},
    {'J', {0, 5, 20, 100}},
    {'H', {2, 10, 20, 100}},
}};
// Scatter pay in total bets, by the number of reels showing a scatter.
constexpr std::array<int, 6> kScatterTotalBets{0, 0, 1, 5, 10, 20};
constexpr std::array<std::int16_t, 6> kLinebetOfButton{1, 2, 3, 5, 10, 20};
constexpr std::array<std::int16_t, 5> kLinesOfButton{1, 5, 10, 15, 25};

int linePay(char symbol, int run) {
    for (const auto& p : kLinePayTable)
        if (p.symbol == symbol && run >= 2) return p.byRun[static_cast<std::size_t>(run - 2)];
    return 0;
}

using Stops = std::array<int, 5>;

struct Expected {
    std::int32_t spinwin = 0;
    int scatters = 0;
    std::array<int, 26> linewon{};
    std::array<int, 26> linecount{};
    // A paid run holds a wild on reels 2 to 4 (the free spins' multiplier test).
    bool wildInRun = false;
};

Expected evaluate(const Stops& stops, int lines, int linebet) {
    const auto shown = [&](int reel, char row) {
        const int offset = row == 'T' ? 0 : row == 'M' ? 1 : 2;
        return kReels[static_cast<std::size_t>(reel)]
                     [static_cast<std::size_t>(stops[static_cast<std::size_t>(reel)] + offset)];
    };
    Expected e;
    for (int reel = 0; reel < 5; ++reel)
        if (shown(reel, 'T') == 'S' || shown(reel, 'M') == 'S' || shown(reel, 'B') == 'S') ++e.scatters;
    e.spinwin = kScatterTotalBets[static_cast<std::size_t>(e.scatters)] * linebet * lines;
    for (int line = 1; line <= lines; ++line) {
        const auto rows = kLineRows[static_cast<std::size_t>(line - 1)];
        const char first = shown(0, rows[0]);
        int run = 1;
        while (run < 5 && (shown(run, rows[static_cast<std::size_t>(run)]) == first ||
                           shown(run, rows[static_cast<std::size_t>(run)]) == 'E'))
            ++run;
        if (const int pay = linePay(first, run); pay > 0) {
            e.spinwin += pay * linebet;
            e.linewon[static_cast<std::size_t>(line)] = line;
            e.linecount[static_cast<std::size_t>(line)] = run;
            for (int reel = 1; reel < run && reel <= 3; ++reel)
                if (shown(reel, rows[static_cast<std::size_t>(reel)]) == 'E') e.wildInRun = true;
        }
    }
    return e;
}

std::string describe(const Stops& k, int lines, int linebet) {
    return "stops " + std::to_string(k[0]) + " " + std::to_string(k[1]) + " " + std::to_string(k[2]) + " " +
           std::to_string(k[3]) + " " + std::to_string(k[4]) + ", " + std::to_string(lines) + " lines at " +
           std::to_string(linebet);
}

// A paid game at every call, the outcome standing, no free spins carried
// over and no reel held, on a view and a store that keep nothing.
class Player {
public:
    Player() { machine_.state.reelspeed = 1; }

    // An empty text when the machine agrees with the evaluator.
    std::string play(const Stops& stops, std::int16_t paylineButton, std::int16_t playButton) {
        auto& s = machine_.state;
        s.bank = 10'000'000;
        s.total = s.wager = s.games = 0;
        s.freespinstotal = s.freespinsplayed = 0;
        s.holdreel2 = s.holdreel3 = s.holdreel4 = 0;
        machine_.payline_Click(paylineButton);
        for (const int k : stops) random_.pushInt(k, kStops);
        random_.pushRespin(1);
        machine_.play_Click(playButton);

        const int lines = kLinesOfButton[static_cast<std::size_t>(paylineButton - 1)];
        const int linebet = kLinebetOfButton[static_cast<std::size_t>(playButton - 1)];
        const Expected e = evaluate(stops, lines, linebet);
        const auto where = [&] { return " with " + describe(stops, lines, linebet); };
        if (!random_.script.empty()) return "draws left over" + where();
        if (s.spinwin != e.spinwin)
            return "spinwin " + std::to_string(s.spinwin) + ", expected " + std::to_string(e.spinwin) + where();
        if (s.scattercount != e.scatters)
            return "scattercount " + std::to_string(s.scattercount) + ", expected " + std::to_string(e.scatters) +
                   where();
        for (std::size_t line = 1; line <= 25; ++line) {
            if (s.linewon[line] != e.linewon[line] || s.linecount[line] != e.linecount[line])
                return "line " + std::to_string(line) + ": linewon " + std::to_string(s.linewon[line]) + " linecount " +
                       std::to_string(s.linecount[line]) + ", expected " + std::to_string(e.linewon[line]) + " and " +
                       std::to_string(e.linecount[line]) + where();
        }
        ReelStops at{};
        for (std::size_t r = 0; r < at.size(); ++r) at[r] = static_cast<std::int16_t>(stops[r]);
        if (evaluateOutcome(at, static_cast<std::int16_t>(lines), static_cast<std::int16_t>(linebet)).wildinrun !=
            e.wildInRun)
            return std::string("wild in a paid run: expected ") + (e.wildInRun ? "yes" : "no") + where();
        return {};
    }

private:
    NullView view_;
    ScriptedRandom random_;
    NullStore store_;
    FakeDisplay display_;
    Machine machine_{view_, random_, store_, display_};
};

TEST(IndependentEvaluation, TheCopiedStripsAreTheMachines) {
    for (int reel = 1; reel <= 5; ++reel)
        for (int cell = 0; cell < kStripCells; ++cell)
            EXPECT_EQ(kSymbolLetters[static_cast<std::size_t>(code(stripSymbol(reel, cell)) - 1)],
                      kReels[static_cast<std::size_t>(reel - 1)][static_cast<std::size_t>(cell)])
                << "reel " << reel << " cell " << cell;
}

TEST(IndependentEvaluation, SampledLineCountsAndBets) {
    Player player;
    std::mt19937 gen(20240613);
    std::uniform_int_distribution<int> stop(1, kStops), paylineButton(1, 5), playButton(1, 6);
    for (int game = 0; game < 20000; ++game) {
        const Stops k{stop(gen), stop(gen), stop(gen), stop(gen), stop(gen)};
        const auto failure =
            player.play(k, static_cast<std::int16_t>(paylineButton(gen)), static_cast<std::int16_t>(playButton(gen)));
        ASSERT_EQ(failure, "");
    }
}

// Under the sanitizers and in unoptimised builds the whole enumeration takes
// minutes; there a seeded sample of it runs instead.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr bool kEveryCombination = false;
#else
constexpr bool kEveryCombination = true;
#endif

TEST(ExhaustiveEvaluation, EveryStopCombinationAtTwentyFiveLines) {
    Player player;
    int games = 0;
    const auto check = [&](const Stops& k) {
        ++games;
        const auto failure = player.play(k, 5, 1);
        EXPECT_EQ(failure, "");
        return failure.empty();
    };
    if (kEveryCombination) {
        for (int a = 1; a <= kStops; ++a)
            for (int b = 1; b <= kStops; ++b)
                for (int c = 1; c <= kStops; ++c)
                    for (int d = 1; d <= kStops; ++d)
                        for (int e = 1; e <= kStops; ++e)
                            if (!check({a, b, c, d, e})) return;
        EXPECT_EQ(games, 22 * 22 * 22 * 22 * 22);
    } else {
        std::mt19937 gen(7);
        std::uniform_int_distribution<int> stop(1, kStops);
        for (int n = 0; n < 100000; ++n)
            if (!check({stop(gen), stop(gen), stop(gen), stop(gen), stop(gen)})) return;
    }
}

}  // namespace
}  // namespace velmoran::test
