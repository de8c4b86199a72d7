// Settling a paid win: the win sound by amount, the win counter's ticks and
// steps, the credit meters after the count, and the collect of a sequence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/rig.h"

namespace velmoran::test {
namespace {

class Counter : public ::testing::Test {
protected:
    Rig rig;
    // Counts a paid win up from the start the evaluation leaves, returning
    // the dollar captions of lblwin tick by tick.
    std::vector<std::string> countPaid(std::int32_t win, std::int16_t winroll) {
        auto& s = rig.s();
        s.freespinstotal = 0;
        s.spinwin = win;
        s.countstep = 1;
        s.counted = 0;
        s.winroll = winroll;
        s.bank = 5000 + win;
        rig.view.setTimer(Timer::Timerwincounter, true);
        std::vector<std::string> shown;
        while (rig.view.timerOn(Timer::Timerwincounter) && shown.size() < 1000) {
            rig.machine.Timerwincounter_Timer();
            shown.push_back(rig.view.caption(Element::lblwin));
        }
        return shown;
    }
};

TEST_F(Counter, TwentyCentsTakeElevenTicksAndTheCreditChangesLast) {
    const auto shown = countPaid(20, 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"$ 0.01", "$ 0.02", "$ 0.03", "$ 0.04", "$ 0.05", "$ 0.06", "$ 0.08",
                                               "$ 0.1", "$ 0.12", "$ 0.16", "$ 0.2"}));
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "20");
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "5020");
    EXPECT_EQ(rig.s().counted, 0);
}

TEST_F(Counter, TheCreditMetersWaitForTheLastTick) {
    auto& s = rig.s();
    s.spinwin = 20;
    s.countstep = 1;
    s.winroll = 1;
    s.bank = 5020;
    rig.view.setCaption(Element::PANELBANK, "5000");
    rig.machine.Timerwincounter_Timer();
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "5000");
}

TEST_F(Counter, TickCountsForFiveAndAThousandCents) {
    EXPECT_EQ(countPaid(5, 1).size(), 5U);
    EXPECT_EQ(countPaid(1000, 1).size(), 51U);
    EXPECT_EQ(countPaid(1001, 1).back(), "$ 10.01");
}

TEST_F(Counter, SwitchedOffTheWholeWinShowsAtTheFirstTick) {
    EXPECT_EQ(countPaid(1000, 0), (std::vector<std::string>{"$ 10"}));
    EXPECT_EQ(countPaid(7, 0), (std::vector<std::string>{"$ 0.07"}));
    // A free spin's win, likewise, and the next spin comes.
    auto& s = rig.s();
    s.freespinstotal = 11;
    s.freespinsplayed = 2;
    s.spinwin = 1000;
    s.freespinwin = 1500;
    s.countstep = 1;
    s.counted = 0;
    s.winroll = 0;
    rig.view.setTimer(Timer::Timerwincounter, true);
    rig.machine.Timerwincounter_Timer();
    EXPECT_FALSE(rig.view.timerOn(Timer::Timerwincounter));
    EXPECT_TRUE(rig.view.timerOn(Timer::Timerrespin));
    EXPECT_EQ(rig.view.caption(Element::Lblcurrentwin), "1000");
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "1500");
}

TEST_F(Counter, ATickFiresEveryHundredMilliseconds) {
    auto& s = rig.s();
    s.spinwin = 5;
    s.countstep = 1;
    s.winroll = 1;
    rig.view.setTimer(Timer::Timerwincounter, true);
    EXPECT_EQ(rig.runTimers(1000), 5);
    EXPECT_FALSE(rig.view.timerOn(Timer::Timerwincounter));
    ASSERT_FALSE(rig.view.timerLogAt.empty());
    EXPECT_EQ(rig.view.timerLogAt.back(), 500);  // stopped on the fifth tick
}

TEST_F(Counter, EachAmountCountedTakesTheStepOfItsBand) {
    // The step that follows an amount, at both ends of every band: paid games
    // and free spins have a column each.
    struct Band {
        std::int32_t from, to;
        std::int16_t paid, free;
    };
    const Band bands[] = {
        {1, 5, 1, 1},       {6, 10, 2, 2},       {11, 15, 4, 2},        {16, 20, 8, 2},
        {21, 50, 10, 3},    {51, 100, 10, 4},    {101, 120, 12, 4},     {121, 150, 14, 4},
        {151, 200, 16, 8},  {201, 300, 20, 5},   {301, 450, 25, 5},     {451, 600, 30, 10},
        {601, 700, 35, 15}, {701, 1000, 50, 20}, {1001, 1500, 150, 30}, {1501, 1000000, 500, 100},
    };
    auto& s = rig.s();
    for (const bool paid : {true, false}) {
        for (const auto& band : bands) {
            for (const std::int32_t amount : {band.from, band.to}) {
                s.freespinstotal = paid ? 0 : 11;
                s.freespinsplayed = paid ? 0 : 2;
                s.spinwin = s.freespinwin = 2000000;  // the count goes on after this tick
                s.winroll = 1;
                s.counted = amount - 1;
                s.countstep = 1;
                rig.machine.Timerwincounter_Timer();
                ASSERT_EQ(s.counted, amount);
                EXPECT_EQ(s.countstep, paid ? band.paid : band.free) << (paid ? "paid " : "free ") << amount;
            }
        }
    }
}

TEST(WinSound, ChosenByTheAmount) {
    Rig rig;
    const std::vector<std::pair<int, int>> table{
        {1, 101},   {5, 101},   {6, 102},   {10, 102},  {11, 103},  {21, 103},   {22, 104},   {30, 104},
        {31, 103},  {40, 103},  {41, 106},  {50, 106},  {51, 107},  {100, 107},  {101, 108},  {120, 108},
        {121, 109}, {150, 109}, {151, 110}, {200, 110}, {201, 111}, {300, 111},  {301, 112},  {450, 112},
        {451, 113}, {600, 113}, {601, 114}, {750, 114}, {751, 115}, {1001, 115}, {30000, 115}};
    for (const auto& [win, cue] : table) {
        rig.view.sounds.clear();
        rig.s().spinwin = win;
        rig.machine.winSound();
        ASSERT_EQ(rig.view.soundNumbers(), (std::vector<int>{cue})) << win;
    }
    rig.view.sounds.clear();
    rig.s().spinwin = 0;
    rig.s().countstep = 3;
    rig.machine.winSound();
    EXPECT_TRUE(rig.view.sounds.empty());
    EXPECT_EQ(rig.s().countstep, 0);
}

TEST(Collect, PaysTheSequenceIntoTheCreditAndRestoresTheControls) {
    Rig rig;
    auto& s = rig.s();
    s.freespinstotal = 11;
    s.freespinsplayed = 11;
    s.freespinwin = 1200;
    s.bank = 300;
    s.linebet = 20;
    s.keycount = 1;
    s.arrowtick = 75;
    rig.view.keyPreview = false;  // as the award left it
    rig.machine.takewin_Click();
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 110}));
    EXPECT_EQ(s.bank, 1500);
    EXPECT_EQ(s.collectedwin, 1200);
    EXPECT_EQ(s.freespinwin, 0);
    EXPECT_EQ(s.freespinstotal, 0);
    EXPECT_EQ(s.freespinsplayed, 0);
    EXPECT_EQ(s.keycount, 0);
    EXPECT_EQ(s.arrowtick, 0);
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "1200");
    EXPECT_EQ(rig.view.caption(Element::lblwin), "$ 12");
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "1500");
    EXPECT_FALSE(rig.view.visible(Element::spinsleft, true));
    EXPECT_FALSE(rig.view.visible(Element::takewin, true));
    for (std::int16_t i = 1; i <= 6; ++i) {
        EXPECT_TRUE(rig.view.visible({Element::play, i}));
        EXPECT_TRUE(rig.view.enabled({Element::play, i}));
    }
    EXPECT_TRUE(rig.view.visible(Element::notes));
    EXPECT_TRUE(rig.view.enabled(Element::doublebutton));
    EXPECT_TRUE(rig.view.keyPreview);
    EXPECT_EQ(rig.view.focus, El(Element::play, 6));
    EXPECT_EQ(rig.store.get("player1", "bank"), "1500");
}

}  // namespace
}  // namespace velmoran::test
