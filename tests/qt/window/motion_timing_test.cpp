// The reel motion on the real window: every frame is drawn, and drawing adds
// little to the sleeps between the frames.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "window_fixture.h"

namespace velmoran::test {
namespace {

double motionRatio(std::int16_t speed, int* frames) {
    WindowRig rig;
    EXPECT_TRUE(rig.window.start());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    rig.click(Element::notes);
    rig.machine.state.reelspeed = speed;
    rig.random.pushStops({16, 15, 16, 21, 13});
    rig.random.pushRespin(1);
    const int before = rig.window.reelWindow(5)->frames();
    const std::int64_t paused = rig.window.pausedMs();
    QElapsedTimer t;
    t.start();
    rig.click({Element::play, 1});
    const qint64 wall = t.nsecsElapsed();
    *frames = rig.window.reelWindow(5)->frames() - before;
    const double sleeps = static_cast<double>(rig.window.pausedMs() - paused) * 1e6;
    const double ratio = static_cast<double>(wall) / sleeps;
    std::printf("reel motion at speed %d: %.1f ms wall, %.0f ms of sleeps, ratio %.3f, %d frames of reel 5\n", speed,
                static_cast<double>(wall) / 1e6, sleeps / 1e6, ratio, *frames);
    return ratio;
}

TEST(ReelMotionTiming, DrawingEveryFrameCostsLittleBesideTheSleeps) {
    for (std::int16_t speed : {std::int16_t{1}, std::int16_t{10}}) {
        int frames = 0;
        const double ratio = motionRatio(speed, &frames);
        EXPECT_GT(frames, 20) << "speed " << speed;
        // 1.05 on an idle machine; the margin keeps a busy build machine green.
        EXPECT_LT(ratio, 1.25) << "speed " << speed;
        EXPECT_GE(ratio, 1.0) << "speed " << speed;
    }
}

}  // namespace
}  // namespace velmoran::test
