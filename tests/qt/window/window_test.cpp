// The main window as the player meets it: the layout after start-up, games
// played with the mouse and the keyboard, the gamble, the menus and their
// windows, and shut-down.
#include <gtest/gtest.h>

#include <QAction>
#include <QFontInfo>
#include <QMenuBar>
#include <QPushButton>

#include "core/money.h"
#include "shell/window/aux_windows.h"
#include "window_fixture.h"

namespace velmoran::test {
namespace {

using E = Element;
using shell::PictureBox;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.window.start());
        rig.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    }
    void insertNotes() { rig.click(E::notes); }
    // A losing outcome; the re-spin decision is drawn for every outcome.
    void pushLosing() {
        rig.random.pushStops(kLosing);
        rig.random.pushRespin(1);
    }
    void playWin() {
        rig.playLineSevenWin();
        ASSERT_GT(rig.machine.state.spinwin, 0);
        // The win counter, where it runs, counts to the end.
        ASSERT_TRUE(waitFor([&] { return !rig.window.timerActive(Timer::Timerwincounter); }, 10000));
    }
    WindowRig rig;
};

TEST_F(Window, AfterStartUpTheMachineIsAtRestWithEveryLineLit) {
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("Current Player       "));
    EXPECT_EQ(rig.window.client()->size(), QSize(646, 476));
    EXPECT_EQ(rig.window.pos(), QPoint(0, 0));
    EXPECT_EQ(rig.text(E::PANELBANK), QStringLiteral("0"));
    EXPECT_EQ(rig.text(E::Lblcredit), QStringLiteral("$ 0"));
    EXPECT_EQ(rig.label(E::PANELBANK)->accessibleName(), QStringLiteral("Credit 0"));
    for (std::int16_t n = 1; n <= 26; ++n) {
        auto* m = qobject_cast<PictureBox*>(rig.w({E::lin, n}));
        ASSERT_NE(m, nullptr) << n;
        EXPECT_TRUE(m->isVisible()) << n;
        EXPECT_EQ(m->pixmap().cacheKey(), sharedArt().entry(PictureList::linepics, n == 26 ? 1 : n).cacheKey()) << n;
    }
    EXPECT_TRUE(rig.w(E::LABLASTBET)->isVisible());
    EXPECT_TRUE(rig.text(E::lbllast).isEmpty());
    EXPECT_FALSE(rig.w(E::LABTHISWIN)->isVisible());
    EXPECT_FALSE(rig.w(E::pandouble)->isVisible());
    EXPECT_FALSE(rig.w(E::takewin)->isVisible());
    EXPECT_FALSE(rig.w(E::arrowpicture)->isVisible());
    EXPECT_FALSE(rig.w(E::pannomoney)->isVisible());
    EXPECT_FALSE(rig.w(E::doublebutton)->isEnabled());
    for (std::int16_t c = 1; c <= 15; ++c) EXPECT_FALSE(rig.w({E::flasher, c})->isVisible()) << c;
    for (int i = 0; i < shell::Backdrop::kStrokes; ++i) EXPECT_FALSE(rig.window.backdrop()->strokeVisible(i));
    for (std::size_t t = 0; t < kTimerCount; ++t) EXPECT_FALSE(rig.window.timerActive(static_cast<Timer>(t)));
    EXPECT_EQ(rig.window.reelWindow(1)->stripTop(), 0);
    for (int reel = 2; reel <= 5; ++reel) EXPECT_EQ(rig.window.reelWindow(reel)->stripTop(), -3);
    EXPECT_TRUE(rig.window.keyPreview());
    EXPECT_EQ(rig.window.focusWidget(), rig.w({E::play, 1}));
}

TEST_F(Window, ElementsStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(rig.w({E::play, 6})->geometry(), QRect(449, 400, 89, 40));
    EXPECT_EQ(rig.w(E::doublebutton)->geometry(), QRect(536, 360, 93, 40));
    EXPECT_EQ(rig.w(E::takewin)->geometry(), QRect(400, 376, 141, 40));
    EXPECT_EQ(rig.w(E::Picture3)->geometry(), QRect(273, 53, 100, 300));
    EXPECT_EQ(rig.w({E::flasher, 4})->geometry(), QRect(0, 200, 100, 100));
    EXPECT_EQ(rig.w({E::flasher, 4})->parentWidget(), rig.w(E::Picture2));
    EXPECT_EQ(rig.w({E::lin, 1})->geometry().topLeft(), QPoint(8, 190));
    EXPECT_EQ(rig.w({E::lin, 26})->geometry().topLeft(), QPoint(605, 190));
    EXPECT_EQ(rig.w(E::betblack)->parentWidget(), rig.w(E::pandouble));
    EXPECT_EQ(rig.w(E::pandouble)->geometry(), QRect(200, 0, 256, 352));

    QStringList menus;
    for (QAction* a : rig.window.menuBar()->actions()) {
        menus << a->text();
        EXPECT_EQ(a->menu(), nullptr);
    }
    EXPECT_EQ(menus, (QStringList{"&about", "&Zero Credit", "&Paytable", "Options", "&exit"}));

    // The layout's families resolve to the embedded faces.
    EXPECT_EQ(QFontInfo(rig.label(E::PANELBANK)->font()).family(), QStringLiteral("Comic Neue"));
    EXPECT_EQ(QFontInfo(rig.label(E::spinsleft)->font()).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(rig.label(E::PANELBANK)->font().pixelSize(), 19);
}

TEST_F(Window, ALosingGameTakesTheBetAndStopsTheReelsOnTheirStops) {
    insertNotes();
    EXPECT_EQ(rig.text(E::PANELBANK), QStringLiteral("5000"));
    pushLosing();
    rig.click({E::play, 1});
    EXPECT_TRUE(rig.random.script.empty());
    const auto& s = rig.machine.state;
    EXPECT_EQ(s.bank, 4975);
    EXPECT_EQ(rig.text(E::PANELBANK), QStringLiteral("4975"));
    EXPECT_EQ(rig.text(E::Lblcredit), QStringLiteral("$ 49.75"));
    EXPECT_EQ(rig.text(E::lbllast), QStringLiteral("25"));
    EXPECT_EQ(rig.label(E::PANELBANK)->accessibleName(), QStringLiteral("Credit 4975"));
    for (int reel = 1; reel <= 5; ++reel)
        EXPECT_EQ(rig.window.reelWindow(reel)->stripTop() * 15, s.reeltop[static_cast<std::size_t>(reel)]) << reel;
    for (std::int16_t i = 1; i <= 6; ++i) EXPECT_TRUE(rig.w({E::play, i})->isEnabled());
    EXPECT_FALSE(rig.window.timerActive(Timer::Timer1));
}

TEST_F(Window, AWinningGameCreditsTheWinAndBlinksItsLine) {
    playWin();
    const auto& s = rig.machine.state;
    EXPECT_EQ(s.bank, 4975 + s.spinwin);
    EXPECT_EQ(rig.text(E::PANELBANK), q(coinForm(s.bank)));
    EXPECT_EQ(rig.text(E::LABWIN), q(coinForm(s.spinwin)));
    EXPECT_EQ(rig.text(E::lblwin), q(dollarForm(s.spinwin)));
    EXPECT_EQ(rig.label(E::LABWIN)->accessibleName(), QStringLiteral("Win ") + q(coinForm(s.spinwin)));
    EXPECT_TRUE(rig.w(E::doublebutton)->isEnabled());
    EXPECT_TRUE(rig.window.timerActive(Timer::Timer1));
    // Line 7 blinks: its strokes appear on the background in red.
    const auto anyStroke = [&] {
        for (int i = 0; i < shell::Backdrop::kStrokes; ++i)
            if (rig.window.backdrop()->strokeVisible(i)) return true;
        return false;
    };
    EXPECT_TRUE(waitFor(anyStroke, 3000));
}

TEST_F(Window, AGameWithoutEnoughCreditIsRefused) {
    rig.click({E::play, 6});
    EXPECT_EQ(rig.random.draws, 0);
    EXPECT_TRUE(rig.w(E::pannomoney)->isVisible());
    // The panel lies over the reel windows, in its dark red (read above its
    // words, over reel 3).
    const QImage client = rig.window.client()->grab().toImage();
    const QRect panel = rig.w(E::pannomoney)->geometry();
    ASSERT_TRUE(rig.w(E::Picture3)->geometry().contains(panel.center().x(), panel.top() + 5));
    EXPECT_EQ(client.pixelColor(panel.center().x(), panel.top() + 5), QColor(128, 0, 0));
    EXPECT_EQ(rig.text(E::PANELBANK), QStringLiteral("0"));
    // Inserting credit takes the panel away.
    rig.click(E::COINSIN);
    EXPECT_FALSE(rig.w(E::pannomoney)->isVisible());
    EXPECT_EQ(rig.text(E::Lblcredit), QStringLiteral("$ 0.2"));
}

TEST_F(Window, TheGambleIsEnteredAndLeftWithTheWin) {
    playWin();
    const std::int32_t win = rig.machine.state.spinwin;
    const std::int32_t bank = rig.machine.state.bank;
    rig.click(E::doublebutton);
    EXPECT_TRUE(rig.w(E::pandouble)->isVisible());
    EXPECT_EQ(rig.machine.state.bank, bank - win);
    EXPECT_FALSE(rig.w({E::play, 1})->isEnabled());
    EXPECT_FALSE(rig.window.keyPreview());
    rig.click(E::cancelbet);
    EXPECT_FALSE(rig.w(E::pandouble)->isVisible());
    EXPECT_EQ(rig.machine.state.bank, bank);
    EXPECT_TRUE(rig.w({E::play, 1})->isEnabled());
}

TEST_F(Window, SpaceReachesTheKeyHandlerOnlyAfterAGameSetTheBet) {
    // Keys reach only the active window; a display without a window manager
    // may never activate it.
    if (!QTest::qWaitForWindowActive(&rig.window)) GTEST_SKIP() << "the window cannot be activated here";
    insertNotes();
    QWidget* focused = rig.w({E::play, 1});
    focused->setFocus();
    // Before any game there is no bet to repeat: nothing is drawn.
    QTest::keyClick(focused, Qt::Key_Space);
    EXPECT_EQ(rig.random.draws, 0);
    rig.machine.state.keycount = 0;

    pushLosing();
    rig.click({E::play, 2});
    EXPECT_EQ(rig.machine.state.bank, 5000 - 50);
    // The window itself gives the focus back to the button of the bet played.
    ASSERT_EQ(QApplication::focusWidget(), rig.w({E::play, 2}));
    pushLosing();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    // One game for one space: the key does not also press the focused button.
    EXPECT_EQ(rig.machine.state.bank, 5000 - 100);
    EXPECT_TRUE(rig.random.script.empty());

    // Another key turns into a space for the focused button, which plays.
    ASSERT_EQ(QApplication::focusWidget(), rig.w({E::play, 2}));
    pushLosing();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    EXPECT_EQ(rig.machine.state.bank, 5000 - 150);

    // Without key preview the handler sees nothing.
    rig.window.view().setKeyPreview(false);
    const int draws = rig.random.draws;
    QTest::keyClick(rig.w({E::play, 1}), Qt::Key_A);
    EXPECT_EQ(rig.random.draws, draws);
}

TEST_F(Window, PayTableAndAboutDisableTheWindowUntilClosedAnyWay) {
    QAction* pays = rig.window.menuAction(E::mnuptble);
    QAction* about = rig.window.menuAction(E::mnuabout);
    pays->trigger();
    ASSERT_TRUE(rig.window.payTable()->isVisible());
    EXPECT_EQ(rig.window.payTable()->windowTitle(), QStringLiteral("VELMORAN  PAYTABLE"));
    EXPECT_EQ(rig.window.payTable()->size(), QSize(501, 379));
    EXPECT_FALSE(rig.window.client()->isEnabled());
    EXPECT_FALSE(rig.window.menuBar()->isEnabled());
    rig.window.payTable()->closeButton()->click();
    EXPECT_FALSE(rig.window.payTable()->isVisible());
    EXPECT_TRUE(rig.window.client()->isEnabled());

    pays->trigger();
    rig.window.payTable()->close();  // the close box
    EXPECT_TRUE(rig.window.client()->isEnabled());

    about->trigger();
    ASSERT_TRUE(rig.window.about()->isVisible());
    EXPECT_EQ(rig.window.about()->windowTitle(), QStringLiteral("About slots_velmoran"));
    EXPECT_TRUE(rig.window.about()->title()->text().contains(QStringLiteral("4.0")));
    EXPECT_FALSE(rig.window.client()->isEnabled());
    QTest::keyClick(rig.window.about(), Qt::Key_Escape);
    EXPECT_FALSE(rig.window.about()->isVisible());
    EXPECT_TRUE(rig.window.client()->isEnabled());

    about->trigger();
    rig.window.about()->linkButton()->click();
    ASSERT_EQ(rig.display.links.size(), 1U);
    EXPECT_TRUE(rig.window.about()->isVisible());
    rig.window.about()->close();
    EXPECT_TRUE(rig.window.client()->isEnabled());

    // While the main window is disabled, its keys do nothing.
    pays->trigger();
    insertNotes();
    EXPECT_EQ(rig.machine.state.bank, 0);
}

TEST_F(Window, ClosingSavesTheRecordAndRestoresTheDesktop) {
    insertNotes();
    bool closed = false;
    QObject::connect(&rig.window, &shell::MainWindow::closed, [&] { closed = true; });
    rig.window.close();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(rig.window.isVisible());
    EXPECT_EQ(rig.store.get("player1", "bank"), "5000");
    EXPECT_EQ(rig.display.modes, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0, 0}}));
}

TEST_F(Window, ExitRunsTheShutDownTwiceWithTheSameValues) {
    insertNotes();
    rig.window.menuAction(E::mnuexit)->trigger();
    EXPECT_FALSE(rig.window.isVisible());
    EXPECT_EQ(rig.window.shutdowns(), 1);  // the window's own close
    EXPECT_EQ(rig.display.modes.size(), 2U);
    EXPECT_EQ(rig.store.get("player1", "bank"), "5000");
}

TEST_F(Window, QuittingInTheGambleKeepsTheMoneyAtRisk) {
    playWin();
    const std::int32_t bank = rig.machine.state.bank;
    rig.click(E::doublebutton);
    ASSERT_TRUE(rig.machine.state.gambleshown);
    rig.window.close();
    EXPECT_EQ(rig.store.get("player1", "bank"), std::to_string(bank));
}

TEST_F(Window, FreeSpinsPlayThemselvesOnTheTimersUntilTheCollect) {
    rig.triggerFreeSpins(1);
    auto& s = rig.machine.state;
    const std::int32_t won = s.freespinwin;
    const std::int32_t bank = s.bank;
    // The counter runs out, and four seconds later the machine presses play.
    ASSERT_TRUE(waitFor(
        [&] { return s.freespinsplayed == s.freespinstotal && !rig.window.timerActive(Timer::Timerrespin); }, 15000));
    ASSERT_TRUE(waitFor([&] { return rig.w(E::takewin)->isVisible(); }, 10000));
    EXPECT_TRUE(rig.random.script.empty());
    EXPECT_EQ(rig.text(E::spinsleft), QStringLiteral("Freespins Completed          "));
    EXPECT_EQ(s.bank, bank - s.totalBet());  // the free spin's bet stays taken until the collect
    rig.click(E::takewin);
    EXPECT_EQ(s.bank, bank - s.totalBet() + won);
    EXPECT_EQ(rig.store.get("player1", "bank"), std::to_string(s.bank));
    EXPECT_TRUE(rig.w({E::play, 1})->isEnabled());
}

// Cut short, a sequence is collected as it stands and costs its one bet, as
// it would have at its last spin.
TEST_F(Window, QuittingDuringFreeSpinsCollectsWhatTheyWonForOneBet) {
    rig.triggerFreeSpins(5);
    const auto& s = rig.machine.state;
    const std::int32_t bank = s.bank;
    const std::int32_t games = s.games;
    const std::int32_t won = s.freespinwin;
    rig.window.close();
    EXPECT_EQ(rig.store.get("player1", "bank"), std::to_string(bank + won - s.totalBet()));
    EXPECT_EQ(rig.store.get("player1", "games"), std::to_string(games + 1));
}

TEST_F(Window, ThingsThatDoNotExistAreIgnored) {
    const El outside{E::flasher, 16};
    rig.window.view().setPicture(outside, Picture::entry(PictureList::ImageList1, 1));
    rig.window.view().setCaption({E::play, 0}, "x");
    rig.window.view().setVisible({E::lin, 27}, true);
    rig.window.view().move({E::Lineflash, 7}, 0, 0);
    auto* cell = qobject_cast<PictureBox*>(rig.w({E::flasher, 1}));
    rig.window.view().setPicture({E::flasher, 1}, Picture::entry(PictureList::ImageList1, 1));
    const auto key = cell->pixmap().cacheKey();
    rig.window.view().setPicture({E::flasher, 1}, Picture::entry(PictureList::ImageList1, 99));
    EXPECT_EQ(cell->pixmap().cacheKey(), key);
    rig.window.view().setPicture({E::flasher, 1}, Picture{});
    EXPECT_TRUE(cell->pixmap().isNull());
}

TEST_F(Window, EachPauseDrawsTheFrameBeforeItSleeps) {
    auto* reel = rig.window.reelWindow(3);
    const int before = reel->frames();
    rig.window.view().move(reelElement(3), 0, -1500);
    rig.window.view().pause(0);
    EXPECT_EQ(reel->stripTop(), -100);
    EXPECT_GT(reel->frames(), before);
    // Nothing changed: nothing is drawn again.
    const int after = reel->frames();
    rig.window.view().pause(0);
    EXPECT_EQ(reel->frames(), after);
}

TEST(WindowStartUp, LargeFontsShowTheMessageAndNoWindow) {
    WindowRig rig;
    rig.display.ppi = 120;
    EXPECT_FALSE(rig.window.start());
    EXPECT_FALSE(rig.window.isVisible());
    ASSERT_EQ(rig.messages.size(), 1U);
    EXPECT_EQ(std::get<1>(rig.messages.front()), QStringLiteral("               LARGE FONTS BEING USED !!!"));
    EXPECT_EQ(rig.store.writes, 0);
}

}  // namespace
}  // namespace velmoran::test
