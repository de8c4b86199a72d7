// The reel motion on the real window: every frame is drawn, and the window
// sleeps exactly what the motion asks for. How long the frames take beside
// those sleeps is a figure, not a check: bench/window_bench.sh prints it.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>
#include <string>

#include "support/rig.h"
#include "window_fixture.h"

namespace velmoran::test {
namespace {

// The frames in which the motion moves reel 5, and the sleeps it asks for,
// played on the recording view.
struct Script {
    int reelFiveMoves = 0;
    std::int64_t sleepMs = 0;
};

Script scripted(std::int16_t speed) {
    Rig rig;
    rig.s().bank = 5000;
    rig.s().reelspeed = speed;
    rig.play(1, kLosing);
    Script out;
    for (const auto& line : rig.view.log)
        if (line.rfind("move reel5=", 0) == 0) ++out.reelFiveMoves;
    out.sleepMs = rig.view.totalPauseMs();
    return out;
}

TEST(ReelMotionTiming, EveryFrameIsDrawnAndTheSleepsAreTheMotions) {
    for (const std::int16_t speed : {std::int16_t{1}, std::int16_t{10}}) {
        const Script expected = scripted(speed);
        ASSERT_GT(expected.reelFiveMoves, 20);

        WindowRig rig;
        ASSERT_TRUE(rig.window.start());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
        rig.click(Element::notes);
        rig.machine.state.reelspeed = speed;
        rig.random.pushStops(kLosing);
        rig.random.pushRespin(1);
        const int before = rig.window.reelWindow(5)->frames();
        const std::int64_t paused = rig.view.pausedMs;
        QElapsedTimer wall;
        wall.start();
        rig.click({Element::play, 1});
        const double wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
        const int frames = rig.window.reelWindow(5)->frames() - before;
        const std::int64_t sleeps = rig.view.pausedMs - paused;

        // Each position of the strip reaches the screen before the next sleep.
        EXPECT_GE(frames, expected.reelFiveMoves) << "speed " << speed;
        EXPECT_EQ(sleeps, expected.sleepMs) << "speed " << speed;
        std::printf("reel motion at speed %d: %.1f ms wall, %lld ms of sleeps, ratio %.3f, %d frames of reel 5\n",
                    speed, wallMs, static_cast<long long>(sleeps), wallMs / static_cast<double>(sleeps), frames);
    }
}

}  // namespace
}  // namespace velmoran::test
