// Keys and clicks as a player makes them, in the real window: keys go to
// wherever the window has left the focus (never put there by hand), and keys
// pressed while the reels turn reach the window at the game's yields, as
// they do on a desktop. Whatever the player presses, no game runs inside
// another, none runs inside the gamble or a free-spin sequence, and no key
// presses a button the player did not choose.
#include <gtest/gtest.h>

#include <QTimer>
#include <QWindow>

#include "window_fixture.h"

namespace velmoran::test {
namespace {

using E = Element;

class WindowInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.window.start());
        rig.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
        ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() != nullptr; }, 5000));
    }
    // A key typed on the keyboard: the window system hands it to the window,
    // which gives it to the focused control.
    void type(Qt::Key key) { QTest::keyClick(rig.window.windowHandle(), key); }
    void space() { QTest::keyClick(rig.window.windowHandle(), Qt::Key_Space); }
    // Keys typed while the handler of `action` runs: one at each of its
    // yields, where the event loop hands them on.
    template <typename F>
    int spacesDuring(F action) {
        int typed = 0;
        QTimer storm;
        storm.setInterval(0);
        QObject::connect(&storm, &QTimer::timeout, [&] {
            ++typed;
            space();
        });
        storm.start();
        action();
        storm.stop();
        return typed;
    }
    void pushGame(std::initializer_list<int> stops) {
        rig.random.pushStops(stops);
        rig.random.pushRespin(1);
    }
    [[nodiscard]] bool balanced() const {
        const auto& s = rig.machine.state;
        return static_cast<std::int64_t>(s.bank) - s.amountinvested == static_cast<std::int64_t>(s.total) - s.wager;
    }
    WindowRig rig;
};

// Bet 1 clicked, space pressed while the reels turn: one game, paid once.
TEST_F(WindowInput, ASpaceWhileTheReelsTurnPlaysNoSecondGame) {
    rig.click(E::notes);
    pushGame(kLineSevenWin);
    pushGame(kLosing);  // what a second game would take
    const int typed = spacesDuring([&] { rig.click({E::play, 1}); });
    EXPECT_GT(typed, 2);
    const auto& s = rig.machine.state;
    EXPECT_EQ(s.games, 1);
    EXPECT_EQ(rig.random.script.size(), 6U);  // the second game's draws are untouched
    EXPECT_EQ(s.bank, 5000 - 25 + s.spinwin);
    EXPECT_TRUE(balanced());
    // The game over, the keyboard is back on the bet that was played.
    EXPECT_EQ(QApplication::focusWidget(), rig.w({E::play, 1}));
}

// With the bet equal to the credit, Bet 20 clicked and space pressed at once:
// the credit never goes below nothing.
TEST_F(WindowInput, ABetOfTheWholeCreditAndASpaceLeaveNoDebt) {
    rig.click(E::notes);
    rig.machine.state.bank = rig.machine.state.amountinvested = 500;
    pushGame(kLosing);
    pushGame(kLosing);
    spacesDuring([&] { rig.click({E::play, 6}); });
    EXPECT_EQ(rig.machine.state.bank, 0);
    EXPECT_EQ(rig.machine.state.games, 1);
    EXPECT_TRUE(balanced());
}

// In the gamble the banknote switches key preview back on; a space then
// plays no game under the panel, and the stake is still paid back.
TEST_F(WindowInput, ASpaceInTheGambleAfterTheBanknotePlaysNothing) {
    rig.playLineSevenWin();
    ASSERT_TRUE(waitFor([&] { return rig.w(E::doublebutton)->isEnabled(); }, 5000));
    rig.click(E::doublebutton);
    ASSERT_TRUE(rig.w(E::pandouble)->isVisible());
    const std::int32_t stake = rig.machine.state.atrisk;
    rig.click(E::notes);
    pushGame(kLosing);
    space();
    space();
    const auto& s = rig.machine.state;
    EXPECT_EQ(s.games, 1);
    EXPECT_EQ(s.atrisk, stake);
    EXPECT_EQ(s.amountinvested, 10000);  // the two notes clicked, no more
    EXPECT_FALSE(rig.w({E::play, 1})->isEnabled());
    const std::int32_t bank = s.bank;
    rig.click(E::cancelbet);
    EXPECT_EQ(s.bank, bank + stake);
    EXPECT_TRUE(balanced());
}

// In the gamble key preview is off; the focus left the doublebutton (now
// disabled) for the window, so spaces press nothing at all.
TEST_F(WindowInput, SpacesInTheGambleInsertNoNoteAndPlayNoGame) {
    rig.playLineSevenWin();
    ASSERT_TRUE(waitFor([&] { return rig.w(E::doublebutton)->isEnabled(); }, 5000));
    rig.click(E::doublebutton);
    pushGame(kLosing);
    for (int i = 0; i < 4; ++i) space();
    const auto& s = rig.machine.state;
    EXPECT_EQ(s.amountinvested, 5000);
    EXPECT_EQ(s.games, 1);
    EXPECT_TRUE(s.gambleshown);
    EXPECT_NE(QApplication::focusWidget(), rig.w(E::notes));
    EXPECT_NE(QApplication::focusWidget(), rig.w(E::doublebutton));
}

// Keys during a free-spin sequence: the buttons are hidden and the focus is
// on none of them, so no key inserts a note or plays anything.
TEST_F(WindowInput, KeysDuringFreeSpinsPressNothing) {
    rig.triggerFreeSpins(2);
    const auto& s = rig.machine.state;
    const std::int32_t invested = s.amountinvested;
    for (int i = 0; i < 6; ++i) space();
    type(Qt::Key_A);
    type(Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return rig.w(E::takewin)->isVisible(); }, 20000));
    EXPECT_EQ(s.amountinvested, invested);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == nullptr || (focus->isVisible() && focus->isEnabled()));
}

// After a game the focus is on the bet just played; a key other than space
// goes on to it as a space and plays at that bet, never at the banknote.
TEST_F(WindowInput, OtherKeysAfterAGamePlayTheBetNotTheBanknote) {
    rig.click(E::notes);
    pushGame(kLosing);
    rig.click({E::play, 2});
    const auto& s = rig.machine.state;
    ASSERT_EQ(s.games, 1);
    pushGame(kLosing);
    type(Qt::Key_A);
    pushGame(kLosing);
    type(Qt::Key_Return);
    EXPECT_EQ(s.amountinvested, 5000);
    EXPECT_EQ(s.games, 3);
    EXPECT_EQ(s.linebet, 2);
    EXPECT_TRUE(balanced());
}

}  // namespace
}  // namespace velmoran::test
