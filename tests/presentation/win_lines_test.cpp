// The win line cycle of Timer1: which line is drawn on which tick, what
// blinks with it, and when the cycle stops.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "presentation/win_line_data.h"
#include "support/rig.h"

namespace velmoran::test {
namespace {

El flasher(int cell) {
    return {Element::flasher, static_cast<std::int16_t>(cell)};
}
El marker(int line) {
    return {Element::lin, static_cast<std::int16_t>(line)};
}
El segment(int i) {
    return {Element::Lineflash, static_cast<std::int16_t>(i)};
}

bool touched(const RecordingView& view, El e) {
    return view.elements.find(e) != view.elements.end();
}

// The lines whose marker was shown or hidden in the log since `from`.
std::vector<int> markersDrawn(const RecordingView& view, std::size_t from) {
    std::vector<int> out;
    for (std::size_t i = from; i < view.log.size(); ++i) {
        for (int line = 1; line <= 26; ++line) {
            const std::string name = describe(marker(line));
            if (view.log[i] == "show " + name || view.log[i] == "hide " + name) out.push_back(line);
        }
    }
    return out;
}

// A result as the evaluation leaves it, with the cycle just started.
struct CycleRig : Rig {
    void win(int line, int count) {
        s().linewon[static_cast<std::size_t>(line)] = static_cast<std::int16_t>(line);
        s().linecount[static_cast<std::size_t>(line)] = static_cast<std::int16_t>(count);
    }
    void start() {
        s().showline = 26;
        s().blinkphase = 26;
        view.setTimer(Timer::Timer1, true);
        view.clearLogs();
    }
    // Ticks n times and notes, after each, whether `e` is shown.
    std::vector<bool> phases(El e, int n) {
        std::vector<bool> out;
        for (int i = 0; i < n; ++i) {
            tick(Timer::Timer1);
            out.push_back(view.visible(e));
        }
        return out;
    }
};

// First line: hidden, shown, hidden, shown, hidden; every later showing:
// shown, hidden, shown, hidden, hidden.
const std::vector<bool> kFirstShowing{false, true, false, true, false};
const std::vector<bool> kLaterShowing{true, false, true, false, false};

std::vector<bool> showings(int later) {
    std::vector<bool> out = kFirstShowing;
    for (int i = 0; i < later; ++i) out.insert(out.end(), kLaterShowing.begin(), kLaterShowing.end());
    return out;
}

TEST(WinLineCycle, SingleLineBlinksMarkerSegmentsAndRunCells) {
    CycleRig r;
    r.win(7, 3);
    r.start();

    std::vector<bool> lin7, seg, c3, c4, c8;
    for (int i = 0; i < 15; ++i) {
        r.tick(Timer::Timer1);
        lin7.push_back(r.view.visible(marker(7)));
        seg.push_back(r.view.visible(segment(4)));
        c3.push_back(r.view.visible(flasher(3)));
        c4.push_back(r.view.visible(flasher(4)));
        c8.push_back(r.view.visible(flasher(8)));
    }
    const auto expected = showings(2);
    EXPECT_EQ(lin7, expected);
    EXPECT_EQ(seg, expected);
    EXPECT_EQ(c3, expected);
    EXPECT_EQ(c4, expected);
    EXPECT_EQ(c8, expected);

    // Cells beyond the run of three and every other marker stay untouched.
    EXPECT_FALSE(touched(r.view, flasher(10)));
    EXPECT_FALSE(touched(r.view, flasher(15)));
    EXPECT_EQ(markersDrawn(r.view, 0), std::vector<int>(15, 7));

    // All six segments are line 7's, in red, with all six equally visible.
    const LineSegment expectedEnds[6] = {{570, 4440, 720, 4440},   {2190, 4440, 2400, 4440}, {4080, 3660, 3870, 3870},
                                         {5500, 3660, 5700, 3870}, {7170, 4440, 7350, 4440}, {8820, 4440, 9030, 4440}};
    for (int i = 1; i <= 6; ++i) {
        const auto& st = r.view.at(segment(i));
        EXPECT_EQ((LineSegment{st.x1, st.y1, st.x2, st.y2}), expectedEnds[i - 1]) << "Lineflash(" << i << ")";
        EXPECT_EQ(st.colour, (Rgb{255, 0, 0}));
        EXPECT_EQ(r.view.visible(segment(i)), r.view.visible(segment(4)));
    }

    // Each tick yields once and then pauses 150 ms.
    EXPECT_EQ(r.view.yields, 15);
    ASSERT_EQ(r.view.pauses.size(), 15U);
    for (const auto& p : r.view.pauses) EXPECT_EQ(p.ms, 150);
    EXPECT_TRUE(r.view.timerOn(Timer::Timer1));
}

TEST(WinLineCycle, EachLineDrawsItsOwnSegmentsInItsOwnColour) {
    struct Drawn {
        Rgb colour;
        std::array<LineSegment, 6> ends;
    };
    // Lines 1 to 20: the colour, then the left stub, the four gaps from reels
    // 1-2 to 4-5 and the right stub, in twips, as the artwork has them.
    // clang-format off
    const std::array<Drawn, 20> lines{{
        {{0, 255, 255}, {{{840, 3090, 600, 3090}, {2280, 3090, 2490, 3090}, {3840, 3090, 4110, 3090},
                         {5520, 3090, 5700, 3090}, {7080, 3090, 7850, 3090}, {8760, 3090, 9120, 3090}}}},
        {{0, 255, 0}, {{{570, 1710, 720, 1710}, {2190, 1710, 2400, 1710}, {3870, 1710, 4080, 1710},
                         {5550, 1710, 5700, 1710}, {7170, 1710, 7350, 1710}, {8820, 1710, 9030, 1710}}}},
        {{255, 192, 192}, {{{570, 4440, 720, 4440}, {2190, 4440, 2400, 4440}, {3870, 4440, 4080, 4440},
                         {5550, 4440, 5700, 4440}, {7170, 4440, 7350, 4440}, {8820, 4440, 9030, 4440}}}},
        {{192, 0, 192}, {{{570, 1710, 720, 1710}, {2190, 2340, 2400, 2550}, {3870, 3660, 4080, 3870},
                         {5700, 3660, 5500, 3870}, {7350, 2310, 7140, 2550}, {8820, 1710, 9030, 1710}}}},
        {{0, 0, 255}, {{{570, 4440, 720, 4440}, {2190, 3870, 2400, 3660}, {3870, 2500, 4080, 2310},
                         {5700, 2550, 5500, 2310}, {7140, 3660, 7350, 3870}, {8820, 4440, 9030, 4440}}}},
        {{192, 64, 0}, {{{570, 1710, 720, 1710}, {2190, 1710, 2400, 1710}, {3870, 2310, 4080, 2550},
                         {5700, 2310, 5500, 2550}, {7170, 1710, 7350, 1710}, {8820, 1710, 9030, 1710}}}},
        {{255, 0, 0}, {{{570, 4440, 720, 4440}, {2190, 4440, 2400, 4440}, {4080, 3660, 3870, 3870},
                         {5500, 3660, 5700, 3870}, {7170, 4440, 7350, 4440}, {8820, 4440, 9030, 4440}}}},
        {{192, 192, 255}, {{{570, 3090, 720, 3090}, {2400, 2340, 2190, 2550}, {3870, 1710, 4080, 1710},
                         {5550, 1710, 5700, 1710}, {7140, 2310, 7350, 2550}, {8820, 3090, 9030, 3090}}}},
        {{0, 0, 192}, {{{570, 3090, 720, 3090}, {2400, 3870, 2190, 3660}, {3870, 4440, 4080, 4440},
                         {5550, 4440, 5700, 4440}, {7140, 3870, 7350, 3660}, {8820, 3090, 9030, 3090}}}},
        {{255, 224, 192}, {{{570, 3090, 720, 3090}, {2190, 3090, 2400, 3090}, {3870, 2550, 4080, 2310},
                         {5700, 2550, 5500, 2310}, {7140, 3090, 7350, 3090}, {8820, 3090, 9030, 3090}}}},
        {{255, 0, 255}, {{{570, 3090, 720, 3090}, {2190, 3090, 2400, 3090}, {3870, 3660, 4080, 3870},
                         {5700, 3660, 5500, 3870}, {7140, 3090, 7350, 3090}, {8820, 3090, 9030, 3090}}}},
        {{0, 128, 128}, {{{570, 1710, 720, 1710}, {2190, 2310, 2400, 2550}, {3870, 3090, 4080, 3090},
                         {5550, 3090, 5700, 3090}, {7350, 2310, 7140, 2550}, {8820, 1710, 9030, 1710}}}},
        {{192, 192, 0}, {{{570, 4440, 720, 4440}, {2190, 3870, 2400, 3660}, {3870, 3090, 4080, 3090},
                         {5550, 3090, 5700, 3090}, {7170, 3660, 7350, 3870}, {8820, 4440, 9030, 4440}}}},
        {{255, 192, 255}, {{{570, 1710, 720, 1710}, {2190, 2310, 2400, 2550}, {3870, 2550, 4080, 2310},
                         {5700, 2550, 5500, 2310}, {7350, 2310, 7140, 2550}, {8820, 1710, 9030, 1710}}}},
        {{128, 64, 64}, {{{570, 3090, 720, 3090}, {2400, 2340, 2190, 2550}, {3870, 2310, 4080, 2550},
                         {5700, 2310, 5500, 2550}, {7140, 2310, 7350, 2550}, {8820, 3090, 9030, 3090}}}},
        {{128, 0, 0}, {{{570, 4440, 720, 4440}, {2190, 3870, 2400, 3660}, {3870, 3660, 4080, 3870},
                         {5700, 3660, 5550, 3870}, {7140, 3660, 7350, 3870}, {8820, 4440, 9030, 4440}}}},
        {{0, 192, 192}, {{{570, 3090, 720, 3090}, {2400, 3870, 2190, 3660}, {4080, 3660, 3870, 3870},
                         {5500, 3660, 5700, 3870}, {7170, 3870, 7350, 3660}, {8820, 3090, 9030, 3090}}}},
        {{255, 128, 0}, {{{570, 1710, 720, 1710}, {2190, 1800, 2400, 4400}, {4080, 1800, 3870, 4400},
                         {5550, 1800, 5700, 4400}, {7170, 4400, 7350, 1800}, {8820, 1710, 9030, 1710}}}},
        {{255, 255, 0}, {{{570, 4440, 720, 4440}, {2400, 1800, 2190, 4400}, {3870, 1800, 4080, 4400},
                         {5700, 1800, 5550, 4400}, {7170, 1800, 7350, 4400}, {8820, 4440, 9030, 4440}}}},
        {{192, 0, 192}, {{{570, 3090, 720, 3090}, {2400, 2190, 2190, 2550}, {3870, 2190, 4080, 4040},
                         {5550, 4040, 5700, 2190}, {7170, 2190, 7350, 2550}, {8820, 3090, 9030, 3090}}}},
    }};
    // clang-format on
    for (int line = 1; line <= 21; ++line) {
        CycleRig r;
        r.win(line, 3);
        r.start();
        r.tick(Timer::Timer1);
        if (line == 21) {
            // The first line without segments leaves them alone.
            for (int i = 1; i <= 6; ++i) EXPECT_FALSE(touched(r.view, segment(i)));
            continue;
        }
        const auto& want = lines[static_cast<std::size_t>(line - 1)];
        for (int i = 1; i <= 6; ++i) {
            const auto& st = r.view.at(segment(i));
            EXPECT_EQ((LineSegment{st.x1, st.y1, st.x2, st.y2}), want.ends[static_cast<std::size_t>(i - 1)])
                << "line " << line << ", segment " << i;
            EXPECT_EQ(st.colour, want.colour) << "line " << line;
        }
    }
}

TEST(WinLineCycle, TickDrawsEndPointsBeforeColoursAndVisibility) {
    CycleRig r;
    r.win(2, 3);
    r.start();
    r.tick(Timer::Timer1);
    std::vector<std::string> segmentOps;
    for (const auto& l : r.view.log)
        if (l.find("Lineflash") != std::string::npos) segmentOps.push_back(l);
    ASSERT_EQ(segmentOps.size(), 18U);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(segmentOps[static_cast<std::size_t>(i)], "line " + describe(segment(i + 1)));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(segmentOps[static_cast<std::size_t>(6 + 2 * i)], "colour " + describe(segment(i + 1)));
        EXPECT_EQ(segmentOps[static_cast<std::size_t>(7 + 2 * i)], "hide " + describe(segment(i + 1)));
    }
    // The display goes out before the yield, and the pause comes last.
    ASSERT_GE(r.view.log.size(), 2U);
    EXPECT_EQ(r.view.log[r.view.log.size() - 2], "yield");
    EXPECT_EQ(r.view.log.back(), "pause 150");
}

TEST(WinLineCycle, TwoLinesAlternateFiveTicksEach) {
    CycleRig r;
    r.win(3, 3);
    r.win(12, 4);
    r.start();

    std::vector<int> drawn;
    for (int i = 0; i < 20; ++i) {
        const auto mark = r.view.log.size();
        r.tick(Timer::Timer1);
        const auto lines = markersDrawn(r.view, mark);
        ASSERT_EQ(lines.size(), 1U) << "tick " << i + 1;
        drawn.push_back(lines.front());
    }
    std::vector<int> expected;
    for (int line : {3, 12, 3, 12}) expected.insert(expected.end(), 5, line);
    EXPECT_EQ(drawn, expected);

    // The segments carry the colour of the line drawn last.
    EXPECT_EQ(r.view.at(segment(1)).colour, (Rgb{0, 128, 128}));
    EXPECT_EQ(r.view.at(segment(3)).x1, 3870);
    EXPECT_EQ(r.view.at(segment(3)).y1, 3090);
    // Each line ends on a hidden tick, so nothing of line 12 is left shown.
    EXPECT_FALSE(r.view.visible(marker(12)));
    for (int cell : {1, 5, 8, 11}) EXPECT_FALSE(r.view.visible(flasher(cell)));
    // Line 3's run is three cells: its fourth and fifth are never touched.
    EXPECT_TRUE(touched(r.view, flasher(9)));
    EXPECT_FALSE(touched(r.view, flasher(10)));
    EXPECT_FALSE(touched(r.view, flasher(15)));
}

TEST(WinLineCycle, WrapSkipsToLowestWinningLineAndRespectsActiveLines) {
    CycleRig r;
    r.win(4, 3);
    r.win(9, 3);
    r.win(20, 3);  // beyond the active lines: never shown
    r.s().lines = 15;
    r.start();

    std::vector<int> drawn;
    for (int i = 0; i < 15; ++i) {
        const auto mark = r.view.log.size();
        r.tick(Timer::Timer1);
        const auto lines = markersDrawn(r.view, mark);
        ASSERT_EQ(lines.size(), 1U);
        drawn.push_back(lines.front());
    }
    std::vector<int> expected;
    for (int line : {4, 9, 4}) expected.insert(expected.end(), 5, line);
    EXPECT_EQ(drawn, expected);
    EXPECT_FALSE(touched(r.view, marker(20)));
}

TEST(WinLineCycle, HighLinesBlinkWithoutSegments) {
    CycleRig r;
    r.win(22, 3);
    r.start();
    EXPECT_EQ(r.phases(marker(22), 10), showings(1));
    for (int i = 1; i <= 6; ++i) EXPECT_FALSE(touched(r.view, segment(i)));
    // Line 22 is M T M B M: cells 2, 6 and 8 blink.
    for (int cell : {2, 6, 8}) EXPECT_TRUE(touched(r.view, flasher(cell)));
    EXPECT_FALSE(touched(r.view, flasher(10)));
    // The last line, likewise.
    CycleRig last;
    last.win(25, 2);
    last.start();
    EXPECT_EQ(last.phases(marker(25), 10), showings(1));
}

TEST(WinLineCycle, LineOneBlinksLeftMarkerOnly) {
    CycleRig r;
    r.win(1, 5);
    r.start();
    EXPECT_EQ(r.phases(marker(1), 10), showings(1));
    EXPECT_FALSE(touched(r.view, marker(26)));
    // The five cells of the middle row, in line 1's cyan.
    for (int cell : {2, 5, 8, 11, 14}) EXPECT_TRUE(touched(r.view, flasher(cell)));
    EXPECT_EQ(r.view.at(segment(1)).colour, (Rgb{0, 255, 255}));
    EXPECT_EQ(r.view.at(segment(5)).x2, 7850);
}

TEST(WinLineCycle, WildInsideRunStaysShownOnEveryTick) {
    CycleRig r;
    r.win(2, 5);  // cells 1, 6, 7, 12, 13
    r.s().wildcell[3] = 7;
    r.start();
    std::vector<bool> wild, blink;
    for (int i = 0; i < 10; ++i) {
        r.tick(Timer::Timer1);
        wild.push_back(r.view.visible(flasher(7)));
        blink.push_back(r.view.visible(flasher(6)));
    }
    EXPECT_EQ(wild, std::vector<bool>(10, true));
    EXPECT_EQ(blink, showings(1));
}

TEST(WinLineCycle, StopsWhenNoWinningLineIsActive) {
    CycleRig r;
    r.win(9, 3);
    r.start();
    r.tick(Timer::Timer1);
    r.s().lines = 1;  // the player chose one line
    r.view.clearLogs();
    const auto before = r.s();
    r.tick(Timer::Timer1);
    EXPECT_FALSE(r.view.timerOn(Timer::Timer1));
    EXPECT_EQ(r.view.log, std::vector<std::string>{"stop Timer1"});
    EXPECT_EQ(r.s().showline, before.showline);
    EXPECT_EQ(r.s().showtick, before.showtick);
    EXPECT_EQ(r.s().blinkphase, before.blinkphase);
}

TEST(WinLineCycle, FaultyResultValuesLimitWhatIsDrawn) {
    {
        // A line number outside 1 to 25: the tick only pauses.
        CycleRig r;
        r.s().linewon[5] = 30;
        r.s().linecount[5] = 3;
        r.start();
        r.tick(Timer::Timer1);
        EXPECT_EQ(r.view.log, std::vector<std::string>{"pause 150"});
        EXPECT_EQ(r.s().showline, 5);
    }
    {
        // A run size outside 2 to 5: marker and segments blink, cells stay.
        CycleRig r;
        r.win(6, 7);
        r.start();
        EXPECT_EQ(r.phases(marker(6), 5), kFirstShowing);
        EXPECT_TRUE(touched(r.view, segment(1)));
        for (int cell = 1; cell <= 15; ++cell) EXPECT_FALSE(touched(r.view, flasher(cell)));
    }
    {
        // Counters at the end of their range still lead to a winning line.
        CycleRig r;
        r.win(3, 3);
        r.start();
        r.s().showline = 32767;
        r.s().showtick = 32767;
        r.s().blinkphase = 32767;
        r.tick(Timer::Timer1);
        EXPECT_EQ(r.s().showline, 3);
        EXPECT_EQ(r.s().showtick, 1);
        EXPECT_EQ(r.s().blinkphase, 0);
        EXPECT_EQ(markersDrawn(r.view, 0), std::vector<int>{3});
    }
}

TEST(WinLineCycle, EventsDuringTheYieldDoNotOverlapTicks) {
    CycleRig r;
    r.win(7, 3);
    r.start();
    int nested = 0;
    r.view.onYield = [&](int) {
        // A late timer event and a new game arrive while the tick gives way.
        ++nested;
        r.machine.onTimer(Timer::Timer1);
        r.view.setTimer(Timer::Timer1, false);
    };
    r.tick(Timer::Timer1);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(r.s().showtick, 1);  // the nested tick did not count
    ASSERT_EQ(r.view.pauses.size(), 1U);
    // After the yield the tick only finishes its pause.
    const auto& log = r.view.log;
    ASSERT_GE(log.size(), 3U);
    EXPECT_EQ(log[log.size() - 3], "yield");
    EXPECT_EQ(log[log.size() - 2], "stop Timer1");
    EXPECT_EQ(log.back(), "pause 150");
}

TEST(WinLineCycle, PaidGameShowsItsWinningLine) {
    // Stops 8, 6, 8, 2, 1 put three Moccasins on line 7 (reel 1 and reel 2
    // bottom, reel 3 middle) and nothing else that pays.
    Rig r;
    r.s().bank = 1000;
    r.playPaid(1, {8, 6, 8, 2, 1}, 1);
    ASSERT_EQ(r.s().linewon[7], 7);
    ASSERT_EQ(r.s().linecount[7], 3);
    ASSERT_TRUE(r.view.timerOn(Timer::Timer1));

    r.view.clearLogs();
    r.runTimers(3000);
    const auto lines = markersDrawn(r.view, 0);
    ASSERT_GE(lines.size(), 10U);
    for (int line : lines) EXPECT_EQ(line, 7);
    EXPECT_EQ(r.view.at(segment(3)).colour, (Rgb{255, 0, 0}));
    int shows = 0, hides = 0;
    for (const auto& l : r.view.log) {
        if (l == "show flasher(8)") ++shows;
        if (l == "hide flasher(8)") ++hides;
    }
    EXPECT_GT(shows, 0);
    EXPECT_GT(hides, 0);
    for (const auto& l : r.view.log) {
        EXPECT_NE(l, "show flasher(10)");
        EXPECT_NE(l, "show flasher(15)");
    }
    // One tick at a time: every 150 ms pause of the cycle starts after the last.
    for (std::size_t i = 1; i < r.view.pauses.size(); ++i)
        EXPECT_GE(r.view.pauses[i].atMs, r.view.pauses[i - 1].atMs + r.view.pauses[i - 1].ms);
}

}  // namespace
}  // namespace velmoran::test
