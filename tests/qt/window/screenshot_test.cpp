// A picture of the real window after a winning game, kept beside the tests
// and checked by its pixels: reels, meters and the blinking line.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include "window_fixture.h"

namespace velmoran::test {
namespace {

using E = Element;

// Pixels of `r` in `a` that differ from `b`, read at the same place less `origin`.
int differing(const QImage& a, const QImage& b, QRect r, QPoint origin = {}) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += a.pixel(x, y) != b.pixel(x - origin.x(), y - origin.y()) ? 1 : 0;
    return n;
}

struct Shot {
    QImage window;  // with the menu bar
    QImage client;  // the 646 x 476 client area
};

// What the window shows now. On a real X server the picture is read back
// from the screen itself, so it shows what the server was given, not what
// the widgets would draw. Saved as <name>_<platform>.png beside the tests.
Shot capture(WindowRig& rig, const QString& name) {
    Shot s;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // Paint what is on now and hand it to the server; the server reads
        // the picture back after everything sent before.
        rig.window.repaint();
        s.window = rig.window.screen()->grabWindow(rig.window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint at = rig.window.client()->mapTo(&rig.window, QPoint(0, 0));
        s.client = s.window.copy(QRect(at, QSize(646, 476)));
    } else {
        s.window = rig.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        s.client = rig.window.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    const QString file = QStringLiteral("%1_%2.png").arg(name, QGuiApplication::platformName());
    EXPECT_TRUE(s.window.save(QDir(QStringLiteral(VELMORAN_TEST_ARTEFACTS)).filePath(file)));
    return s;
}

TEST(WindowScreenshot, AWinningGameShowsReelsMetersAndItsLine) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    const QImage empty = rig.window.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    rig.playLineSevenWin();
    ASSERT_GT(rig.machine.state.spinwin, 0);

    // Wait for a blink of line 7 with its strokes on.
    const auto* back = rig.window.backdrop();
    ASSERT_TRUE(waitFor([&] { return back->strokeVisible(0); }, 5000));

    const QImage client = capture(rig, QStringLiteral("window_after_win")).client;
    ASSERT_EQ(client.size(), QSize(646, 476));

    // The reels moved: their windows show other symbols than at start-up.
    for (int reel = 1; reel <= 5; ++reel) {
        const QRect r = rig.w(reelWindowElement(reel))->geometry();
        EXPECT_GT(differing(client, empty, r), r.width() * r.height() / 20) << "reel " << reel;
    }
    // The credit meter shows dark digits where it was empty.
    const QRect credit = rig.w(E::PANELBANK)->geometry();
    EXPECT_GT(differing(client, empty, credit), 20);

    // A stroke of line 7 lies in its colour on the background between the
    // reel windows, where nothing was red before.
    int red = 0;
    auto isRed = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    for (int y = 0; y < client.height(); ++y)
        for (int x = 0; x < client.width(); ++x)
            if (isRed(client.pixelColor(x, y)) && !isRed(empty.pixelColor(x, y))) ++red;
    EXPECT_GT(red, 30);
}

TEST(WindowScreenshot, TheGambleShowsItsFaceDownCardOverTheReels) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    rig.playLineSevenWin();
    ASSERT_GT(rig.machine.state.spinwin, 0);
    rig.click(E::doublebutton);
    ASSERT_TRUE(rig.w(E::pandouble)->isVisible());
    QTest::qWait(20);

    const QImage client = capture(rig, QStringLiteral("window_in_gamble")).client;
    // The card on the screen is the face-down card picture, stretched over
    // its holder where the layout puts it inside the panel.
    const QWidget* card = rig.w(E::piccardholder);
    const QRect at(card->mapTo(rig.window.client(), QPoint(0, 0)), card->size());
    const QImage picture = sharedArt()
                               .entry(PictureList::imagelistcards, 5)
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32)
                               .scaled(card->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int same = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor a = client.pixelColor(at.topLeft() + QPoint(x, y));
            const QColor b = picture.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 24)
                ++same;
        }
    EXPECT_GT(same, picture.width() * picture.height() * 8 / 10)
        << same << " of " << picture.width() * picture.height();
}

TEST(WindowScreenshot, TheCollectButtonLiesOverTheFreeSpinCaption) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    // Three scatters, and the sequence cut short to a single free spin.
    rig.triggerFreeSpins(1);
    // The collect is offered; the arrow of the award (7.5 s, longer than
    // this short sequence) has gone.
    ASSERT_TRUE(waitFor([&] { return rig.w(E::takewin)->isVisible() && !rig.w(E::arrowpicture)->isVisible(); }, 20000));
    QTest::qWait(20);

    const QImage client = capture(rig, QStringLiteral("window_freespins_completed")).client;
    // The caption runs on to the right under the button, which shows its
    // whole face.
    QWidget* button = rig.w(E::takewin);
    const QWidget* caption = rig.w(E::spinsleft);
    ASSERT_TRUE(caption->geometry().intersects(button->geometry()));
    const QImage face = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Inside its rounded corners, where the background shows through.
    const QRect inside = button->geometry().adjusted(6, 6, -6, -6);
    EXPECT_EQ(differing(client, face, inside, button->geometry().topLeft()), 0);
}

}  // namespace
}  // namespace velmoran::test
