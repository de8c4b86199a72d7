// The scatter, wild and multiplier animations on the cell overlays.
#include <gtest/gtest.h>

#include <vector>

#include "support/rig.h"

namespace velmoran::test {
namespace {

El flasher(int cell) {
    return {Element::flasher, static_cast<std::int16_t>(cell)};
}

bool touched(const RecordingView& view, El e) {
    return view.elements.find(e) != view.elements.end();
}

std::vector<int> range(int from, int to) {
    std::vector<int> out;
    for (int i = from; from <= to ? i <= to : i >= to; from <= to ? ++i : --i) out.push_back(i);
    return out;
}

std::vector<int> join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The picture index on `cell` after each of n ticks of `t`.
std::vector<int> frames(Rig& r, Timer t, int cell, int n) {
    std::vector<int> out;
    for (int i = 0; i < n; ++i) {
        r.tick(t);
        out.push_back(r.view.at(flasher(cell)).picture.index);
    }
    return out;
}

TEST(ScatterAnimation, TepeeFramesRiseAndFallOnEveryScatterCell) {
    Rig r;
    r.s().scattercell[2] = 5;
    r.s().scattercell[5] = 14;
    const auto seen = frames(r, Timer::Timerscatters, 5, 39 * 3);
    const auto cycle = join({range(2, 20), {20}, range(19, 1)});
    EXPECT_EQ(seen, join({range(1, 20), range(19, 1), cycle, cycle}));

    // The other scatter shows the same frame, both from ImageList1, and shown.
    EXPECT_EQ(r.view.at(flasher(14)).picture, r.view.at(flasher(5)).picture);
    EXPECT_EQ(r.view.at(flasher(5)).picture.list, PictureList::ImageList1);
    EXPECT_TRUE(r.view.visible(flasher(5)));
    EXPECT_TRUE(r.view.visible(flasher(14)));
    for (int cell = 1; cell <= 15; ++cell) {
        if (cell != 5 && cell != 14) {
            EXPECT_FALSE(touched(r.view, flasher(cell))) << cell;
        }
    }
}

TEST(ScatterAnimation, OverlayHiddenMeanwhileIsShownAgain) {
    Rig r;
    r.s().scattercell[3] = 9;
    r.tick(Timer::Timerscatters);
    r.view.setVisible(flasher(9), false);  // the line selection hides all overlays
    r.tick(Timer::Timerscatters);
    EXPECT_TRUE(r.view.visible(flasher(9)));
}

TEST(ScatterAnimation, BadValuesSkipOnlyThePicture) {
    Rig r;
    r.s().scattercell[1] = 4;  // not a cell of reel 1, the first of reel 2
    r.s().scattercell[4] = 10;
    r.s().scatterframe = -5;  // the next frame is not in the list
    r.tick(Timer::Timerscatters);
    EXPECT_FALSE(touched(r.view, flasher(4)));
    EXPECT_FALSE(r.view.at(flasher(10)).pictureSet);
    EXPECT_TRUE(r.view.visible(flasher(10)));
}

TEST(WildAnimation, EmblemFramesOnWildCellsWithoutShowingThem) {
    Rig r;
    r.s().wildcell[1] = 2;  // reel 1 never carries a wild: not animated
    r.s().wildcell[2] = 5;
    r.s().wildcell[3] = 8;
    r.s().wildcell[4] = 12;
    const auto seen = frames(r, Timer::Timer4, 8, 15 * 3);
    const auto cycle = join({range(2, 8), {8}, range(7, 1)});
    EXPECT_EQ(seen, join({range(1, 8), range(7, 1), cycle, cycle}));
    EXPECT_EQ(r.view.at(flasher(8)).picture.list, PictureList::ImageList2);
    EXPECT_EQ(r.view.at(flasher(12)).picture, r.view.at(flasher(8)).picture);
    EXPECT_EQ(r.view.at(flasher(5)).picture, r.view.at(flasher(8)).picture);
    EXPECT_FALSE(r.view.at(flasher(8)).visible.has_value());
    EXPECT_FALSE(touched(r.view, flasher(2)));

    r.s().wildframe = -9;
    r.tick(Timer::Timer4);
    EXPECT_EQ(r.view.at(flasher(8)).picture.index, 1);  // -8 is no frame: kept
}

struct MultiplierCase {
    std::int16_t multiplier;
    std::int16_t startFrame;  // as the free-spin draw leaves it
    std::vector<int> overlays;
};

TEST(MultiplierWildAnimation, EachMultiplierCyclesItsFourFrames) {
    const std::vector<MultiplierCase> cases{
        {2, 23, {9, 10, 11, 12, 9, 10, 11, 12, 9, 10}},
        {3, 27, {13, 14, 15, 16, 13, 14, 15, 16, 13, 14}},
        {5, 31, {17, 18, 19, 20, 17, 18, 19, 20, 17, 18}},
        {10, 23, {24, 21, 22, 23, 24, 21, 22, 23, 24, 21}},
    };
    for (const auto& c : cases) {
        Rig r;
        r.s().spinwin = 40;
        r.s().multiplier = c.multiplier;
        r.s().multiplierframe = c.startFrame;
        r.s().wildcell[2] = 5;
        r.s().wildcell[4] = 11;
        std::vector<int> overlays, emblems;
        for (int i = 0; i < 10; ++i) {
            r.tick(Timer::timerwild);
            const auto p = r.view.at(flasher(5)).picture;
            EXPECT_EQ(p.list, PictureList::ImageList2);
            EXPECT_EQ(r.view.at(flasher(11)).picture, p);
            overlays.push_back(p.overlay);
            emblems.push_back(p.index);
        }
        EXPECT_EQ(overlays, c.overlays) << "x" << c.multiplier;
        EXPECT_EQ(emblems, join({range(1, 8), {1, 2}})) << "x" << c.multiplier;
        EXPECT_FALSE(r.view.at(flasher(5)).visible.has_value());
    }
}

TEST(MultiplierWildAnimation, IdleWithoutMultiplierOrWin) {
    for (const auto& [multiplier, spinwin] : {std::pair{1, 500}, std::pair{3, 0}, std::pair{10, -1}}) {
        Rig r;
        r.s().spinwin = spinwin;
        r.s().multiplier = static_cast<std::int16_t>(multiplier);
        r.s().multiplierframe = 27;
        r.s().wildcell[3] = 8;
        r.tick(Timer::timerwild);
        EXPECT_TRUE(r.view.log.empty());
        EXPECT_EQ(r.s().multiplierframe, 27);
        EXPECT_EQ(r.s().emblemframe, 0);
        EXPECT_EQ(r.s().multiplierlastframe, 0);
    }
}

}  // namespace
}  // namespace velmoran::test
