// The bet, line and credit controls, and the keyboard with its repeat guard.
#include <gtest/gtest.h>

#include "support/rig.h"

namespace velmoran::test {
namespace {

constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};

class Controls : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override { rig.s().reelspeed = 1; }
    void press(std::int16_t key) { rig.machine.Form_KeyPress(key); }
};

TEST_F(Controls, CoinsAndNotesInsertCredit) {
    rig.view.keyPreview = false;  // as a gamble or a free-spin award leaves it
    // The panel a refused game leaves showing.
    rig.view.setVisible(Element::pannomoney, true);
    rig.machine.COINSIN_Click();
    EXPECT_FALSE(rig.view.visible(Element::pannomoney));
    EXPECT_EQ(rig.s().bank, 20);
    EXPECT_EQ(rig.s().amountinvested, 20);
    EXPECT_EQ(rig.view.caption(Element::PANELBANK), "20");
    EXPECT_EQ(rig.view.caption(Element::Lblcredit), "$ 0.2");
    EXPECT_EQ(rig.view.focus, El(Element::velmoran));
    EXPECT_TRUE(rig.view.keyPreview);
    rig.view.keyPreview = false;
    rig.machine.notes_Click();
    EXPECT_EQ(rig.s().bank, 5020);
    EXPECT_EQ(rig.s().amountinvested, 5020);
    EXPECT_EQ(rig.view.caption(Element::Lblcredit), "$ 50.2");
    EXPECT_TRUE(rig.view.keyPreview);
    // Each insert writes the record, so a crash loses none of it.
    EXPECT_EQ(rig.store.get("player1", "bank"), "5020");
}

TEST_F(Controls, ZeroCreditPaysOutUnlessFreeSpinsRun) {
    rig.s().bank = 1250;
    rig.s().amountinvested = 5000;
    rig.machine.mnuzerocredit_Click();
    EXPECT_EQ(rig.s().bank, 0);
    EXPECT_EQ(rig.s().amountinvested, 3750);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124}));
    EXPECT_EQ(rig.view.caption(Element::Lblcredit), "$ 0");
    rig.s().bank = 900;
    rig.s().freespinstotal = 11;
    rig.machine.mnuzerocredit_Click();
    EXPECT_EQ(rig.s().bank, 900);
    EXPECT_EQ(rig.s().amountinvested, 3750);
}

TEST_F(Controls, PaylineButtonsChooseLinesAndDimTheirMarkers) {
    rig.machine.payline_Click(3);
    EXPECT_EQ(rig.s().lines, 10);
    for (std::int16_t l = 1; l <= 10; ++l)
        EXPECT_EQ(rig.view.at({Element::lin, l}).picture, Picture::entry(PictureList::linepics, l));
    for (std::int16_t l = 11; l <= 25; ++l)
        EXPECT_EQ(rig.view.at({Element::lin, l}).picture,
                  Picture::entry(PictureList::linepics, static_cast<std::int16_t>(l + 25)));
    EXPECT_EQ(rig.view.at({Element::lin, 26}).picture, Picture::entry(PictureList::linepics, 1));
    for (std::int16_t c = 1; c <= 15; ++c) EXPECT_FALSE(rig.view.visible({Element::flasher, c}, true));
    EXPECT_TRUE(rig.view.sounds.empty());
    rig.machine.payline_Click(1);
    EXPECT_EQ(rig.view.at({Element::lin, 1}).picture, Picture::entry(PictureList::linepics, 1));
    EXPECT_EQ(rig.view.at({Element::lin, 2}).picture, Picture::entry(PictureList::linepics, 27));
    rig.machine.payline_Click(5);
    EXPECT_EQ(rig.view.at({Element::lin, 25}).picture, Picture::entry(PictureList::linepics, 25));
    rig.machine.payline_Click(3);
    for (const std::int16_t none : {0, 6}) {
        rig.machine.payline_Click(none);
        EXPECT_EQ(rig.s().lines, 10) << none;
    }
}

TEST_F(Controls, SpaceBeforeTheFirstGamePlaysNothingAndBlocksLaterKeys) {
    rig.s().bank = 1000;
    press(32);  // linebet is 0: nothing to press
    EXPECT_EQ(rig.s().keycount, 1);
    EXPECT_EQ(rig.s().games, 0);
    std::int16_t key = 'a';
    rig.machine.Form_KeyPress(key);
    EXPECT_EQ(key, 'a');  // held back as well, not turned into a space
    press(32);
    EXPECT_EQ(rig.s().games, 0);  // ignored until a game or a collect
    rig.play(1, kLosing);         // a mouse game resets the guard
    EXPECT_EQ(rig.s().keycount, 0);
    rig.random.pushStops(kLosing);
    rig.random.pushRespin(1);
    press(32);
    EXPECT_EQ(rig.s().games, 2);
    EXPECT_EQ(rig.s().keycount, 0);
}

TEST_F(Controls, SpacePlaysTheButtonOfTheCurrentBet) {
    rig.s().bank = 100000;
    rig.play(5, kLosing);  // 10 a line
    rig.random.pushStops(kLosing);
    rig.random.pushRespin(1);
    press(32);
    EXPECT_EQ(rig.s().linebet, 10);
    EXPECT_EQ(rig.s().wager, 500);
}

TEST_F(Controls, KeysPressedDuringAGameAreIgnored) {
    rig.s().bank = 1000;
    rig.play(1, kLosing);
    int nested = 0;
    const int first = rig.view.yields;
    rig.view.onYield = [&](int n) {
        if (n - first > 3) return;  // the preamble's yields: the reels have not stopped yet
        std::int16_t key = 32;
        rig.machine.Form_KeyPress(key);  // would start a second game if let through
        ++nested;
    };
    rig.random.pushStops(kLosing);
    rig.random.pushRespin(1);
    press(32);
    rig.view.onYield = nullptr;
    EXPECT_GT(nested, 0);
    EXPECT_EQ(rig.s().games, 2);  // only the keyboard game itself
}

TEST_F(Controls, ARefusedKeyPressShowsThePanelAndKeepsTheGuard) {
    rig.s().bank = 100000;
    rig.play(6, kLosing);
    rig.s().bank = 499;  // 20 a line at 25 lines needs 500
    rig.view.clearLogs();
    const auto keycount = rig.s().keycount;
    press(32);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{125}));
    EXPECT_TRUE(rig.view.visible(Element::pannomoney));
    EXPECT_EQ(rig.s().keycount, keycount);
    EXPECT_EQ(rig.s().games, 1);
    EXPECT_EQ(rig.view.focus, El(Element::velmoran));
}

TEST_F(Controls, OtherKeysGoOnAsASpace) {
    rig.s().bank = 1000;
    std::int16_t key = 'a';
    rig.machine.Form_KeyPress(key);
    EXPECT_EQ(key, 32);
    EXPECT_EQ(rig.s().keycount, 0);
    EXPECT_EQ(rig.s().games, 0);
}

TEST_F(Controls, KeysDoNothingDuringFreeSpins) {
    rig.s().bank = 1000;
    rig.s().freespinstotal = 11;
    std::int16_t key = 'a';
    rig.machine.Form_KeyPress(key);
    EXPECT_EQ(key, 'a');
    EXPECT_EQ(rig.s().keycount, 0);
}

}  // namespace
}  // namespace velmoran::test
