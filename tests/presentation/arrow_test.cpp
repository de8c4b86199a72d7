// The arrow indicator: its 75-tick run, its sounds and its restart.
#include <gtest/gtest.h>

#include <vector>

#include "support/rig.h"

namespace velmoran::test {
namespace {

struct ArrowRig : Rig {
    ArrowRig() {
        view.setTimer(Timer::timerarrow, true);
        view.setVisible(Element::arrowpicture, true);
        view.clearLogs();
    }
    int picture() { return view.at(Element::arrowpicture).picture.index; }
};

std::vector<int> expectedRun() {
    std::vector<int> out{1, 2, 3, 4};
    for (int f = 5; f <= 14; ++f) out.push_back(f);
    while (out.size() < 75) out.push_back(8 + static_cast<int>((out.size() - 14) % 7));
    return out;
}

TEST(ArrowIndicator, RunOfSeventyFiveTicks) {
    ArrowRig r;
    std::vector<int> pictures;
    for (int tick = 1; tick <= 75; ++tick) {
        EXPECT_TRUE(r.view.timerOn(Timer::timerarrow)) << tick;
        r.tick(Timer::timerarrow);
        pictures.push_back(r.picture());
        EXPECT_EQ(r.view.at(Element::arrowpicture).pictureSets, tick);
    }
    EXPECT_EQ(pictures, expectedRun());
    EXPECT_EQ(r.view.at(Element::arrowpicture).picture.list, PictureList::imglistarrow);
    // Tick 75 ends the run: the strip is hidden first, then drawn once more.
    EXPECT_FALSE(r.view.timerOn(Timer::timerarrow));
    EXPECT_FALSE(r.view.visible(Element::arrowpicture, true));
    const auto& log = r.view.log;
    ASSERT_GE(log.size(), 3U);
    EXPECT_EQ(log[log.size() - 3], "stop timerarrow");
    EXPECT_EQ(log[log.size() - 2], "hide arrowpicture");
    EXPECT_EQ(log.back(), "picture arrowpicture=imglistarrow:12");
    EXPECT_EQ(r.s().arrowtick, 75);
    EXPECT_EQ(r.s().arrowframe, 12);
    // The start sound once, on the first tick, followed by its yield.
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{105});
    EXPECT_EQ(r.view.yields, 1);
    EXPECT_EQ(log[0], "sound 105");
    EXPECT_EQ(log[1], "yield");
}

TEST(ArrowIndicator, LoopingSoundOnlyOnTheFirstSpinOfASequence) {
    for (const std::int16_t played : {0, 1, 2}) {
        ArrowRig r;
        r.s().freespinsplayed = played;
        for (int tick = 1; tick <= 75; ++tick) {
            r.tick(Timer::timerarrow);
            if (tick == 13) r.view.sounds.clear();
            if (tick == 14) {
                if (played == 1) {
                    ASSERT_EQ(r.view.sounds.size(), 1U);
                    EXPECT_EQ(r.view.sounds[0].cue, SoundCue::FreeSpinTune);
                    EXPECT_TRUE(r.view.sounds[0].looped);
                } else {
                    EXPECT_TRUE(r.view.sounds.empty());
                }
            }
        }
        EXPECT_EQ(r.view.sounds.size(), played == 1 ? 1U : 0U) << played;
    }
}

TEST(ArrowIndicator, RestartsAfterCollect) {
    ArrowRig r;
    for (int tick = 1; tick <= 75; ++tick) r.tick(Timer::timerarrow);
    r.s().arrowtick = 0;  // a collect
    r.view.setTimer(Timer::timerarrow, true);
    r.view.clearLogs();
    std::vector<int> pictures;
    for (int tick = 1; tick <= 75; ++tick) {
        r.tick(Timer::timerarrow);
        pictures.push_back(r.picture());
    }
    EXPECT_EQ(pictures, expectedRun());
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{105});
}

TEST(ArrowIndicator, CollectDuringARunStartsItAgain) {
    ArrowRig r;
    for (int tick = 1; tick <= 3; ++tick) r.tick(Timer::timerarrow);
    r.s().arrowtick = 0;
    r.tick(Timer::timerarrow);
    EXPECT_EQ(r.picture(), 4);  // the frame after 3: below 7 it carries on
    EXPECT_EQ(r.view.soundNumbers(), (std::vector<int>{105, 105}));

    for (int tick = 2; tick <= 9; ++tick) r.tick(Timer::timerarrow);
    r.s().arrowtick = 0;  // now in the burning frames (arrowframe 12)
    r.tick(Timer::timerarrow);
    EXPECT_EQ(r.picture(), 1);
}

TEST(ArrowIndicator, TickArrivingInsideTheStartSoundYieldIsRefused) {
    ArrowRig r;
    r.view.onYield = [&](int) { r.machine.onTimer(Timer::timerarrow); };
    r.tick(Timer::timerarrow);
    EXPECT_EQ(r.s().arrowtick, 1);
    EXPECT_EQ(r.s().arrowframe, 1);
    EXPECT_EQ(r.view.soundNumbers(), std::vector<int>{105});
}

}  // namespace
}  // namespace velmoran::test
