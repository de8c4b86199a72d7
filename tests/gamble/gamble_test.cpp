// The card gamble: the stake, colour and suit bets, the loss, the labels and
// sounds, the history row, amounts at the edge of their width, and which
// controls the player has in and after the gamble.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "support/rig.h"

namespace velmoran::test {
namespace {

// Three Moccasins on line 20: a win of 20 cents at 1 coin a line.
constexpr std::initializer_list<int> kMoccasins = {13, 22, 7, 14, 1};

constexpr int kHearts = 1, kClubs = 2, kDiamonds = 3, kSpades = 4;

Picture card(int image) {
    return Picture::entry(PictureList::imagelistcards, static_cast<std::int16_t>(image));
}

std::ptrdiff_t logIndex(const RecordingView& v, const std::string& line) {
    const auto it = std::find(v.log.begin(), v.log.end(), line);
    return it == v.log.end() ? -1 : it - v.log.begin();
}

class Gamble : public ::testing::Test {
public:
    Rig rig;
    void SetUp() override {
        rig.s().bank = 1000;
        rig.s().reelspeed = 1;
    }
    // Enters the gamble with `stake` as the last spin's win, already in the credit.
    void enterWith(std::int32_t stake) {
        rig.s().spinwin = stake;
        rig.s().total = stake;
        rig.machine.offerGamble(true);  // as a paid win does
        rig.machine.doublebutton_Click();
    }
    void red(int suit) {
        rig.random.pushCard(suit);
        rig.machine.betred_Click();
    }
    void black(int suit) {
        rig.random.pushCard(suit);
        rig.machine.betblack_Click();
    }
    void suit(std::int16_t index, int drawn) {
        rig.random.pushCard(drawn);
        rig.machine.suitbet_Click(index);
    }
    [[nodiscard]] bool panelShown() { return rig.view.visible(Element::pandouble); }
};

TEST_F(Gamble, APaidWinIsTakenOutOfTheCreditAndPutAtRisk) {
    rig.play(1, kMoccasins);
    ASSERT_EQ(rig.s().spinwin, 20);
    ASSERT_EQ(rig.s().bank, 995);
    ASSERT_TRUE(rig.view.enabled(Element::doublebutton));
    ASSERT_TRUE(rig.view.timerOn(Timer::Timerwincounter));

    rig.view.clearLogs();
    rig.machine.doublebutton_Click();
    const auto& s = rig.s();
    EXPECT_EQ(s.atrisk, 20);
    EXPECT_EQ(s.gamblestake, 20);
    EXPECT_EQ(s.bank, 975);
    EXPECT_TRUE(s.gambleshown);
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "975");
    EXPECT_EQ(rig.view.caption(Element::Lblcredit), "$ 9.75");
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "20");
    EXPECT_EQ(rig.view.caption(Element::lblwin), "$ 0.2");
    // The counter stops where it was; the credit is already settled.
    EXPECT_FALSE(rig.view.timerOn(Timer::Timerwincounter));
    EXPECT_EQ(rig.view.soundNumbers(), std::vector<int>{124});
    EXPECT_EQ(rig.view.yields, 1);

    // Leaving at once returns the stake and leaves the lifetime figures alone.
    const std::int32_t total = s.total;
    rig.machine.cancelbet_Click();
    EXPECT_EQ(s.bank, 995);
    EXPECT_EQ(s.total, total);
    EXPECT_EQ(s.gamblestake, 0);
    EXPECT_FALSE(s.gambleshown);
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "995");
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "20");
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 107}));
}

TEST_F(Gamble, ACollectedTotalIsStakedInsteadOfTheLastFreeSpinsWin) {
    rig.s().bank = 5000;
    rig.s().spinwin = 30;
    rig.s().collectedwin = 1200;
    rig.s().total = 1200;
    rig.machine.offerGamble(true);  // as the collect does
    rig.machine.doublebutton_Click();
    EXPECT_EQ(rig.s().atrisk, 1200);
    EXPECT_EQ(rig.s().collectedwin, 0);
    EXPECT_EQ(rig.s().bank, 3800);

    // Won once on colour, then left: the total won holds what the gamble
    // returned in place of the collected total, once.
    black(kClubs);
    EXPECT_EQ(rig.s().atrisk, 2400);
    rig.machine.cancelbet_Click();
    EXPECT_EQ(rig.s().bank, 6200);
    EXPECT_EQ(rig.s().total, 2400);
}

TEST_F(Gamble, EnteringShowsTheStakeAndBothOffers) {
    enterWith(40);
    EXPECT_EQ(rig.view.caption(Element::risklab), "At Risk  40");
    EXPECT_EQ(rig.view.caption(Element::lblblackred), "Black/Red Win = 80");
    EXPECT_EQ(rig.view.caption(Element::lblsuit), "Suit Win = 160");
    EXPECT_TRUE(rig.view.visible(Element::lblblackred));
    EXPECT_TRUE(rig.view.visible(Element::lblsuit));
    EXPECT_EQ(rig.s().bank, 960);
    EXPECT_EQ(rig.view.at(Element::piccardholder).picture, card(5));
    for (std::int16_t i = 1; i <= 4; ++i) EXPECT_EQ(rig.view.at({Element::suitbet, i}).picture, card(i + 5));
}

TEST_F(Gamble, ARightColourDoublesAndTheGambleGoesOn) {
    enterWith(40);
    rig.view.clearLogs();
    black(kClubs);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 103}));
    EXPECT_EQ(rig.s().atrisk, 80);
    EXPECT_EQ(rig.view.caption(Element::risklab), "At Risk  80");
    EXPECT_EQ(rig.view.caption(Element::lblblackred), "Black/Red Win = 160");
    EXPECT_EQ(rig.view.caption(Element::lblsuit), "Suit Win = 320");
    EXPECT_EQ(rig.view.at(Element::piccardholder).picture, card(kClubs + 5));
    EXPECT_TRUE(panelShown());
    EXPECT_TRUE(rig.s().gambleshown);
    EXPECT_EQ(rig.s().bank, 960);
    EXPECT_EQ(rig.random.reseeds, 1);

    // The win picture slides from the top to the bottom of the panel in one go.
    const auto& slide = rig.view.at(Element::gamblewin);
    EXPECT_EQ(slide.moves, 4791);
    EXPECT_EQ(slide.left, 700);
    EXPECT_EQ(slide.top, 4800);
    EXPECT_TRUE(rig.view.visible(Element::gamblewin));
    EXPECT_EQ(rig.view.at(Element::gamblelose).moves, 0);
    EXPECT_TRUE(rig.view.pauses.empty());

    red(kDiamonds);
    EXPECT_EQ(rig.s().atrisk, 160);
    rig.machine.cancelbet_Click();
    EXPECT_EQ(rig.s().bank, 1120);
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "160");
    EXPECT_EQ(rig.view.caption(Element::lblwin), "$ 1.6");
}

TEST_F(Gamble, ARightSuitQuadruples) {
    enterWith(40);
    suit(1, kHearts);
    EXPECT_EQ(rig.s().atrisk, 160);
    EXPECT_EQ(rig.view.caption(Element::risklab), "At Risk  160");
    EXPECT_EQ(rig.view.caption(Element::lblsuit), "Suit Win = 640");
    EXPECT_TRUE(panelShown());
}

TEST_F(Gamble, EachBetHasItsWinSoundAndAllLoseWithTheSameSound) {
    struct Case {
        const char* name;
        void (Gamble::*bet)(int);
        int winning, losing, sound;
    };
    const std::array<Case, 2> colours{
        {{"red", &Gamble::red, kHearts, kClubs, 108}, {"black", &Gamble::black, kSpades, kDiamonds, 103}}};
    for (const auto& c : colours) {
        SCOPED_TRACE(c.name);
        enterWith(10);
        rig.view.clearLogs();
        (this->*c.bet)(c.winning);
        EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, c.sound}));
        rig.view.clearLogs();
        (this->*c.bet)(c.losing);
        EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 125}));
        EXPECT_FALSE(panelShown());
    }
    const std::array<int, 4> suitSound{112, 111, 111, 107};
    for (std::int16_t i = 1; i <= 4; ++i) {
        SCOPED_TRACE("suit " + std::to_string(i));
        enterWith(10);
        rig.view.clearLogs();
        suit(i, i);
        EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, suitSound[static_cast<std::size_t>(i - 1)]}));
        EXPECT_EQ(rig.s().atrisk, 40);
        rig.view.clearLogs();
        suit(i, i % 4 + 1);
        EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 125}));
        EXPECT_FALSE(panelShown());
    }
}

TEST_F(Gamble, ALostBetClosesThePanelAfterThreeSecondsWithNothingPaid) {
    enterWith(40);
    const std::int32_t bankAfterEntry = rig.s().bank;
    // At the yield before the wait the panel is still up, but the money is
    // already settled: whatever runs there sees the gamble as over.
    bool panelAtYield = false, overAtYield = false;
    std::int32_t totalAtYield = -1;
    rig.view.onYield = [&](int) {
        panelAtYield = rig.view.visible(Element::pandouble);
        overAtYield = !rig.s().gambleopen;
        // The panel is still up: the options window must not open over it.
        rig.machine.mnuplayer_Click();
        totalAtYield = rig.s().total;
    };
    rig.view.clearLogs();
    red(kSpades);
    rig.view.onYield = nullptr;

    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 125}));
    EXPECT_EQ(rig.view.caption(Element::risklab), "No Win  ");
    EXPECT_FALSE(rig.view.visible(Element::lblblackred));
    EXPECT_FALSE(rig.view.visible(Element::lblsuit));
    EXPECT_EQ(rig.view.at(Element::gamblelose).moves, 4791);
    EXPECT_EQ(rig.view.at(Element::gamblelose).top, 4800);
    // The bet's own yield and the one before the wait, with the panel still up.
    EXPECT_EQ(rig.view.yields, 2);
    EXPECT_TRUE(panelAtYield);
    EXPECT_TRUE(overAtYield);
    EXPECT_EQ(totalAtYield, 0);
    EXPECT_EQ(rig.s().auxwindow, AuxWindow::None);
    ASSERT_EQ(rig.view.pauses.size(), 1U);
    EXPECT_EQ(rig.view.pauses[0].ms, 3000);
    const auto paused = logIndex(rig.view, "pause 3000");
    const auto hidden = logIndex(rig.view, "hide pandouble");
    ASSERT_GE(paused, 0);
    EXPECT_GT(hidden, paused);
    EXPECT_GT(paused, logIndex(rig.view, "yield"));

    EXPECT_FALSE(panelShown());
    EXPECT_FALSE(rig.s().gambleshown);
    EXPECT_EQ(rig.s().bank, bankAfterEntry);
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "960");
    EXPECT_EQ(rig.view.caption(Element::LABWIN), "No Win");
    EXPECT_EQ(rig.view.caption(Element::lblwin), " ");
    // The staked win no longer counts as won.
    EXPECT_EQ(rig.s().total, 0);
    EXPECT_EQ(rig.s().gamblestake, 0);
}

TEST_F(Gamble, ALossAfterWinsTakesOnlyTheStakeOutOfTheTotal) {
    rig.s().total = 500;  // earlier wins
    rig.s().spinwin = 40;
    rig.machine.offerGamble(true);
    rig.machine.doublebutton_Click();
    black(kSpades);
    suit(2, kClubs);
    EXPECT_EQ(rig.s().atrisk, 320);
    red(kClubs);
    EXPECT_EQ(rig.s().total, 460);
    EXPECT_EQ(rig.s().bank, 960);
}

TEST_F(Gamble, ControlsAndKeyboardInAndAfterTheGamble) {
    auto& v = rig.view;
    const auto machineControls = [&](bool enabled) {
        for (std::int16_t i = 1; i <= 6; ++i) EXPECT_EQ(v.enabled({Element::play, i}), enabled) << "play " << i;
        for (std::int16_t i = 1; i <= 5; ++i) EXPECT_EQ(v.enabled({Element::payline, i}), enabled) << "payline " << i;
        EXPECT_EQ(v.enabled(Element::COINSIN), enabled);
    };
    const auto betButtons = [&](bool enabled) {
        EXPECT_EQ(v.enabled(Element::betred), enabled);
        EXPECT_EQ(v.enabled(Element::betblack), enabled);
        for (std::int16_t i = 1; i <= 4; ++i) EXPECT_EQ(v.enabled({Element::suitbet, i}), enabled) << "suit " << i;
        EXPECT_EQ(v.enabled(Element::cancelbet), enabled);
    };

    rig.play(1, kMoccasins);
    rig.machine.doublebutton_Click();
    {
        SCOPED_TRACE("in the gamble");
        machineControls(false);
        betButtons(true);
        EXPECT_FALSE(v.enabled(Element::doublebutton));
        EXPECT_TRUE(v.visible(Element::pandouble));
        EXPECT_FALSE(v.visible(Element::gamblewin, true));
        EXPECT_FALSE(v.visible(Element::gamblelose, true));
        for (std::int16_t c = 1; c <= 15; ++c) EXPECT_FALSE(v.visible({Element::flasher, c}, true));
        for (const Timer t : {Timer::Timer1, Timer::Timerscatters, Timer::Timer4, Timer::Timerwincounter})
            EXPECT_FALSE(v.timerOn(t)) << info(t).name;
        EXPECT_FALSE(v.keyPreview);
    }
    black(kClubs);
    {
        SCOPED_TRACE("after a won bet");
        machineControls(false);
        betButtons(true);
        EXPECT_FALSE(v.keyPreview);
    }
    v.focus.reset();
    rig.machine.cancelbet_Click();
    {
        SCOPED_TRACE("left");
        machineControls(true);
        EXPECT_FALSE(v.enabled(Element::doublebutton));
        EXPECT_FALSE(v.visible(Element::pandouble, true));
        EXPECT_TRUE(v.keyPreview);
        ASSERT_TRUE(v.focus.has_value());
        EXPECT_EQ(*v.focus, El{Element::velmoran});
    }

    rig.play(1, kMoccasins);
    rig.machine.doublebutton_Click();
    v.focus.reset();
    red(kClubs);
    {
        SCOPED_TRACE("lost");
        machineControls(true);
        betButtons(false);
        EXPECT_FALSE(v.enabled(Element::doublebutton));
        EXPECT_FALSE(v.visible(Element::pandouble, true));
        EXPECT_TRUE(v.keyPreview);
        ASSERT_TRUE(v.focus.has_value());
        EXPECT_EQ(*v.focus, El{Element::velmoran});
    }
    // A new gamble offers the bets again.
    rig.play(1, kMoccasins);
    rig.machine.doublebutton_Click();
    betButtons(true);
}

// The row as the player sees it: the picture in each slot, left to right.
std::vector<Picture> historyRow(RecordingView& v) {
    constexpr std::array<std::int32_t, 5> kSlotLeft{360, 960, 1560, 2160, 2760};
    std::vector<Picture> row(5);
    for (std::int16_t j = 1; j <= 5; ++j) {
        auto& b = v.at({Element::historypic, j});
        if (!v.visible({Element::historypic, j})) continue;
        // Never moved: still in its own slot.
        int slot = j;
        if (b.moved) {
            EXPECT_EQ(b.top, 3960);
            slot = static_cast<int>(std::find(kSlotLeft.begin(), kSlotLeft.end(), b.left) - kSlotLeft.begin()) + 1;
        }
        EXPECT_GE(slot, 1);
        EXPECT_LE(slot, 5);
        if (slot >= 1 && slot <= 5) row[static_cast<std::size_t>(slot - 1)] = b.picture;
    }
    return row;
}

TEST_F(Gamble, TheHistoryRowShowsTheLastFiveCardsOldestAtTheLeft) {
    enterWith(1);
    // Twelve cards, each won on its colour so that the gamble goes on.
    const std::array<int, 12> drawn{kHearts,   kClubs, kDiamonds, kSpades, kHearts,   kSpades,
                                    kDiamonds, kClubs, kClubs,    kHearts, kDiamonds, kSpades};
    std::vector<Picture> seen;
    for (std::size_t n = 0; n < drawn.size(); ++n) {
        SCOPED_TRACE("card " + std::to_string(n + 1));
        const int c = drawn[n];
        if (c == kHearts || c == kDiamonds) {
            red(c);
        } else {
            black(c);
        }
        ASSERT_TRUE(panelShown());
        seen.push_back(card(c + 5));
        std::vector<Picture> expected(5);
        const std::size_t shown = std::min<std::size_t>(seen.size(), 5);
        std::copy(seen.end() - static_cast<std::ptrdiff_t>(shown), seen.end(), expected.begin());
        EXPECT_EQ(historyRow(rig.view), expected);
        for (std::int16_t j = 1; j <= 5; ++j)
            EXPECT_EQ(rig.view.visible({Element::historypic, j}), j <= static_cast<int>(n + 1));
    }
    EXPECT_EQ(rig.s().historycount, 7);
}

TEST_F(Gamble, TheSixthAndEleventhCardsGoIntoTheFirstButtonAtTheRight) {
    enterWith(1);
    const auto at = [&](std::int16_t j) { return rig.view.at({Element::historypic, j}); };
    for (int n = 1; n <= 5; ++n) red(kHearts);
    for (std::int16_t j = 1; j <= 5; ++j) EXPECT_FALSE(at(j).moved);
    red(kDiamonds);
    EXPECT_EQ(rig.s().historycount, 6);
    EXPECT_EQ(at(1).left, 2760);
    EXPECT_EQ(at(1).picture, card(8));
    EXPECT_EQ(at(2).left, 360);
    EXPECT_EQ(at(3).left, 960);
    EXPECT_EQ(at(4).left, 1560);
    EXPECT_EQ(at(5).left, 2160);
    for (std::int16_t j = 1; j <= 5; ++j) EXPECT_EQ(at(j).top, 3960);
    for (int n = 7; n <= 10; ++n) red(kHearts);
    EXPECT_EQ(rig.s().historycount, 10);
    for (std::int16_t j = 1; j <= 5; ++j) EXPECT_EQ(at(j).left, 360 + 600 * (j - 1)) << j;
    black(kSpades);
    EXPECT_EQ(rig.s().historycount, 6);
    EXPECT_EQ(at(1).left, 2760);
    EXPECT_EQ(at(1).picture, card(9));
    EXPECT_EQ(at(2).left, 360);
}

TEST_F(Gamble, TheHistoryIsKeptFromOneGambleToTheNext) {
    enterWith(5);
    red(kSpades);  // lost: card 1
    enterWith(5);
    black(kClubs);  // card 2
    EXPECT_EQ(rig.s().historycount, 2);
    EXPECT_EQ(rig.view.at({Element::historypic, 1}).picture, card(9));
    EXPECT_EQ(rig.view.at({Element::historypic, 2}).picture, card(7));
    // Entering again shows the joker, not the last card.
    rig.machine.cancelbet_Click();
    enterWith(5);
    EXPECT_EQ(rig.view.at(Element::piccardholder).picture, card(5));
    EXPECT_EQ(rig.view.at({Element::historypic, 2}).picture, card(7));
}

TEST_F(Gamble, AnAmountThatWouldOverflowIsSkippedAndKeepsItsValue) {
    rig.s().bank = 600000000;
    enterWith(600000000);
    EXPECT_EQ(rig.view.caption(Element::lblblackred), "Black/Red Win = 1200000000");
    EXPECT_FALSE(rig.view.at(Element::lblsuit).captionSet);  // 2400000000 does not fit
    suit(3, kDiamonds);
    EXPECT_EQ(rig.s().atrisk, 600000000);
    EXPECT_EQ(rig.view.caption(Element::risklab), "At Risk  600000000");
    EXPECT_TRUE(panelShown());
    red(kHearts);
    EXPECT_EQ(rig.s().atrisk, 1200000000);
    EXPECT_EQ(rig.view.caption(Element::lblblackred), "Black/Red Win = 1200000000");
    red(kDiamonds);
    EXPECT_EQ(rig.s().atrisk, 1200000000);
    rig.machine.cancelbet_Click();
    EXPECT_EQ(rig.s().bank, 1200000000);
    EXPECT_EQ(rig.s().total, 1200000000);
}

TEST_F(Gamble, APayoutTheCreditCannotHoldIsNotCountedAsWon) {
    rig.s().bank = 2100000000;
    rig.s().total = 1000;
    rig.s().spinwin = 40000000;
    rig.machine.offerGamble(true);
    rig.machine.doublebutton_Click();
    suit(4, kSpades);
    ASSERT_EQ(rig.s().atrisk, 160000000);
    rig.machine.cancelbet_Click();
    EXPECT_EQ(rig.s().bank, 2060000000);
    EXPECT_EQ(rig.s().total, 1000 - 40000000);
}

TEST_F(Gamble, TheSmallestWinIsOfferedAndLeavingTheGamblePaysItBack) {
    // Two scatters at one line of one cent: a win of one cent.
    rig.machine.payline_Click(1);
    rig.play(1, {10, 6, 14, 19, 9});
    ASSERT_EQ(rig.s().spinwin, 1);
    const std::int32_t bank = rig.s().bank;
    const std::int32_t total = rig.s().total;
    EXPECT_TRUE(rig.s().gambleoffered);
    EXPECT_TRUE(rig.view.enabled(Element::doublebutton, false));
    rig.machine.doublebutton_Click();
    ASSERT_TRUE(rig.s().gambleopen);
    EXPECT_EQ(rig.s().bank, bank - 1);
    // Quitting now gives the cent back, as TAKE WIN would.
    const PlayerRecord settled = rig.machine.settledRecord();
    EXPECT_EQ(settled.bank, bank);
    EXPECT_EQ(settled.total, total);
}

TEST_F(Gamble, ASuitButtonThatDoesNotExistTakesNoBet) {
    enterWith(20);
    rig.view.clearLogs();
    for (const std::int16_t index : {0, 5, -1, 32767}) rig.machine.suitbet_Click(index);
    EXPECT_TRUE(rig.view.log.empty());
    EXPECT_EQ(rig.s().atrisk, 20);
    EXPECT_EQ(rig.s().historycount, 0);
    EXPECT_TRUE(rig.s().gambleopen);
    // The four that exist are still taken.
    suit(4, kSpades);
    EXPECT_EQ(rig.s().atrisk, 80);
}

TEST_F(Gamble, TheGambleCannotBeEnteredTwice) {
    enterWith(40);
    rig.machine.doublebutton_Click();
    EXPECT_EQ(rig.s().bank, 960);
    EXPECT_EQ(rig.s().gamblestake, 40);
}

// While a card is being turned the gamble takes no other bet and cannot be
// left: the card has decided the bet, and the record already holds what it
// pays, so quitting then neither undoes a loss nor loses a win.
TEST_F(Gamble, WhileACardIsTurnedNothingElseIsTakenAndTheRecordHoldsItsOutcome) {
    enterWith(40);
    EXPECT_EQ(rig.store.get("player1", "bank"), "1000");  // entering changes nothing that counts
    for (const int drawn : {kHearts, kSpades}) {
        rig.random.pushCard(drawn);
        std::string storedBank, storedTotal;
        rig.view.onYield = [&](int n) {
            if (n != 1) return;
            rig.machine.cancelbet_Click();
            rig.machine.betblack_Click();  // would take a card of its own
            rig.machine.mnuplayer_Click();
            storedBank = rig.store.get("player1", "bank");
            storedTotal = rig.store.get("player1", "total");
        };
        rig.view.clearLogs();
        rig.machine.betred_Click();
        rig.view.onYield = nullptr;
        EXPECT_EQ(rig.s().auxwindow, AuxWindow::None);
        if (drawn == kHearts) {
            EXPECT_EQ(storedBank, "1040");  // 960 and the doubled stake
            EXPECT_EQ(storedTotal, "80");
            EXPECT_EQ(rig.s().atrisk, 80);
            EXPECT_TRUE(panelShown());
            EXPECT_EQ(rig.view.at(Element::gamblewin).moves, 4791);
            EXPECT_FALSE(rig.view.enabled({Element::play, 1}));
        } else {
            EXPECT_EQ(storedBank, "960");
            EXPECT_EQ(storedTotal, "0");
            EXPECT_FALSE(panelShown());
        }
        EXPECT_EQ(rig.s().bank, 960);
    }
}

}  // namespace
}  // namespace velmoran::test
