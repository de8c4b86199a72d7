// The reel motion: frames, positions, sleeps and sounds of the six phases.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "support/rig.h"

namespace velmoran::test {
namespace {

class Motion : public ::testing::Test {
protected:
    Rig rig;
    void SetUp() override { rig.s().bank = 100000; }

    std::map<int, int> pauseCounts() const {
        std::map<int, int> counts;
        for (const auto& p : rig.view.pauses) ++counts[p.ms];
        return counts;
    }
    // The tops a reel was moved to, in order.
    std::vector<int> tops(int reel) const {
        std::vector<int> out;
        const std::string prefix = "move reel" + std::to_string(reel) + "=0,";
        for (const auto& l : rig.view.log)
            if (l.rfind(prefix, 0) == 0) out.push_back(std::stoi(l.substr(prefix.size())));
        return out;
    }
};

TEST_F(Motion, SpeedOneFramesSleepsAndFinalPositions) {
    rig.s().reelspeed = 1;
    rig.play(1, {16, 15, 16, 21, 13});
    // Phase 1: reel 1 from -32400 to -24000 in steps of 1000 is 9 frames.
    const std::map<int, int> expected{{14, 9}, {16, 10}, {18, 10}, {19, 10}, {20, 10}, {10, 13}};
    EXPECT_EQ(pauseCounts(), expected);
    EXPECT_EQ(rig.view.totalPauseMs(), 9 * 14 + 160 + 180 + 190 + 200 + 130);
    const auto t1 = tops(1);
    ASSERT_EQ(t1.size(), 19U);
    EXPECT_EQ(t1.front(), -31800);
    EXPECT_EQ(t1[8], -23800);  // last frame of phase 1: i = -24400, drawn at i + 600
    EXPECT_EQ(t1[9], -23460);  // first settle frame: b - 60 with b = -24000 + 600
    EXPECT_EQ(t1.back(), -24000);
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(rig.view.at(reelElement(r)).top, rig.s().reeltop[static_cast<std::size_t>(r)]);
    // Reel 5 moves in every phase, and settles in 13 frames at the end.
    const auto t5 = tops(5);
    EXPECT_EQ(t5.size(), 9U + 40U + 13U);
    EXPECT_EQ(t5[t5.size() - 13], rig.s().reeltop[5] + 600);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 116, 116, 116, 116, 116}));
}

TEST_F(Motion, SpeedTenTakesSmallStepsAndLongSleeps) {
    rig.s().reelspeed = 10;
    rig.play(1, {16, 15, 16, 21, 13});
    // Phase 1: (32400 - 24000) / 200 + 1 = 43 frames; phases 2 to 5: 42 each.
    const std::map<int, int> expected{{23, 43}, {25, 42}, {27, 42}, {28, 42}, {29, 42}, {19, 13}};
    EXPECT_EQ(pauseCounts(), expected);
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(rig.view.at(reelElement(r)).top, rig.s().reeltop[static_cast<std::size_t>(r)]);
}

TEST_F(Motion, EverySpeedHasItsStepAndItsSleeps) {
    // Reel 1 rests at -18000, so phase 1 runs from -32400 up to it: 14400
    // twips, a whole number of steps at every speed but 1, so a step a twip
    // too long loses the last frame. Each of phases 2 to 5 runs twice over
    // 4050 twips; phase 6 has 13 frames.
    for (const auto& [speed, step] : {std::pair<std::int16_t, int>{1, 1000}, {2, 800}, {4, 600}, {8, 400}, {10, 200}}) {
        Rig r;
        r.s().bank = 100000;
        r.s().reelspeed = speed;
        r.play(1, {12, 15, 16, 21, 13});
        std::map<int, int> expected;
        expected[13 + speed] += (32400 - 18000) / step + 1;
        for (const int base : {15, 17, 18, 19}) expected[base + speed] += 2 * (4050 / step + 1);
        expected[9 + speed] += 13;
        std::map<int, int> seen;
        for (const auto& p : r.view.pauses) ++seen[p.ms];
        EXPECT_EQ(seen, expected) << "speed " << speed;
        for (int reel = 1; reel <= 5; ++reel)
            EXPECT_EQ(r.view.at(reelElement(reel)).top, r.s().reeltop[static_cast<std::size_t>(reel)]) << speed;
    }
}

TEST_F(Motion, ReelOneAtStopTwentyTwoHasNoFirstPhase) {
    rig.s().reelspeed = 1;
    rig.play(1, {22, 15, 16, 21, 13});
    EXPECT_EQ(pauseCounts().count(14), 0U);
    const auto t1 = tops(1);
    ASSERT_FALSE(t1.empty());
    EXPECT_EQ(t1.front(), -33000 + 600 - 60);  // jumps to its settle position
    // Reel 2 first moves in phase 2, to its first frame j + 600.
    EXPECT_EQ(tops(2).front(), rig.s().reeltop[2] - 4050 + 600);
}

TEST_F(Motion, UnknownSpeedRunsAsSpeedOne) {
    rig.s().reelspeed = -7;  // only a damaged record gives this
    rig.play(1, {16, 15, 16, 21, 13});
    const std::map<int, int> expected{{14, 9}, {16, 10}, {18, 10}, {19, 10}, {20, 10}, {10, 13}};
    EXPECT_EQ(pauseCounts(), expected);
    rig.s().reelspeed = 0;  // 0 becomes 1 at the start of the evaluation
    rig.play(1, {16, 15, 16, 21, 13});
    EXPECT_EQ(rig.s().reelspeed, 1);
}

TEST_F(Motion, ScatterChimesReplaceTheClickOfTheirReel) {
    rig.s().reelspeed = 1;
    // Scatters on reels 1 and 4 (two in view): 116 then 119 after reel 1,
    // and 122 after reel 4 because two scatters show.
    rig.play(1, {12, 15, 16, 6, 13});
    ASSERT_EQ(rig.s().scattercount, 2);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 116, 119, 116, 116, 116, 122, 116, 104}));
}

TEST_F(Motion, ALoneScatterOnReelFourOrFiveStaysSilent) {
    rig.s().reelspeed = 1;
    rig.play(1, {16, 15, 16, 6, 13});
    ASSERT_EQ(rig.s().scattercount, 1);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 116, 116, 116, 116, 116}));
}

TEST_F(Motion, EachReelChimesForItsScatter) {
    // The sounds of the stopping reels: 116 for each stop, and the reel's own
    // chime (119 to 123) after it when it shows a scatter; reels 4 and 5
    // chime only when two or more scatters show. A win sound may follow.
    struct Case {
        std::array<int, 5> stops;  // an initializer_list here would not outlive the table's making
        std::vector<int> sounds;
    };
    const std::vector<Case> cases{
        {{1, 9, 1, 7, 9}, {116, 119, 116, 120, 116, 121, 116, 122, 116, 123}},  // five scatters
        {{16, 9, 16, 21, 13}, {116, 116, 120, 116, 116, 116}},                  // reel 2 alone
        {{16, 15, 1, 21, 13}, {116, 116, 116, 121, 116, 116}},                  // reel 3 alone
        {{16, 15, 16, 7, 9}, {116, 116, 116, 116, 122, 116, 123}},              // reels 4 and 5
        {{16, 15, 16, 21, 9}, {116, 116, 116, 116, 116}},                       // reel 5 alone: silent
    };
    for (const auto& c : cases) {
        Rig r;
        r.s().bank = 100000;
        r.s().reelspeed = 1;
        const auto& t = c.stops;
        r.play(1, {t[0], t[1], t[2], t[3], t[4]});
        auto sounds = r.view.soundNumbers();
        ASSERT_FALSE(sounds.empty());
        EXPECT_EQ(sounds.front(), 124);  // the play button
        sounds.erase(sounds.begin());
        if (r.s().spinwin > 0 && r.s().scattercount < 3) sounds.pop_back();  // the win sound
        EXPECT_EQ(sounds, c.sounds) << "scatters " << r.s().scattercount;
    }
}

TEST_F(Motion, AWithdrawnOutcomesScattersDoNotChimeInTheSpinThatReplacesIt) {
    rig.s().reelspeed = 1;
    rig.random.pushStops({11, 8, 6, 1, 1});  // scatters on reels 1 and 2: a win, withdrawn
    rig.random.pushRespin(5);
    rig.random.pushStops({16, 15, 16, 21, 13});  // no scatter
    rig.random.pushRespin(1);
    rig.machine.play_Click(1);
    ASSERT_TRUE(rig.random.script.empty());
    EXPECT_EQ(rig.s().scattercount, 0);
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 116, 116, 116, 116, 116}));
}

TEST_F(Motion, NoReelSoundsDuringFreeSpins) {
    rig.s().reelspeed = 1;
    rig.s().freespinstotal = 11;
    rig.s().freespinsplayed = 3;
    rig.s().linebet = 1;
    rig.random.pushStops({12, 15, 16, 6, 13});
    rig.random.pushMultiplierDraw(20);
    rig.random.pushRespin(1);
    rig.machine.play_Click(1);
    EXPECT_TRUE(rig.view.sounds.empty());
}

}  // namespace
}  // namespace velmoran::test
