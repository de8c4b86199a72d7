// The animations of the special symbols: the tepee frames on every scatter
// cell, the emblem frames on every wild cell, and during free spins the
// emblem with the multiplier drawn over it.
#include "core/checked.h"
#include "core/machine.h"
#include "presentation/win_line_data.h"

namespace velmoran {

namespace {

// Tepee: 20 frames up, then back down, 39 ticks a cycle.
constexpr std::int16_t kScatterCycle = 39;
constexpr std::int16_t kScatterRise = 20;
constexpr std::int16_t kScatterFrames = 20;

// Emblem: 8 frames up, then back down, 15 ticks a cycle.
constexpr std::int16_t kWildLastTick = 14;
constexpr std::int16_t kWildRise = 8;
constexpr std::int16_t kWildFrames = 8;

// Emblem frames under the multiplier, and the four frames of each multiplier.
constexpr std::int16_t kEmblemFrames = 8;
constexpr std::int16_t kMultiplierFramesPerSet = 4;
constexpr std::int16_t kFirstMultiplierFrame = 9;

void setIfValid(GameView& view, El overlay, Picture picture) {
    if (picture.valid()) view.setPicture(overlay, picture);
}

// The cell on reel `reel` that `cells` names, or 0 when it names none of
// that reel's cells.
std::int16_t cellOn(const OneBased<std::int16_t, kReels>& cells, int reel) noexcept {
    const std::int16_t cell = cells[static_cast<std::size_t>(reel)];
    return cellOnReel(cell, reel) ? cell : std::int16_t{0};
}

}  // namespace

void Machine::Timerscatters_Timer() {
    auto& s = state;
    if (s.scattertick >= kScatterCycle) s.scattertick = 0;
    if (s.scattertick >= kScatterRise)
        checked::sub(s.scatterframe, 1);
    else
        checked::add(s.scatterframe, 1);
    if (s.scatterframe > kScatterFrames) s.scatterframe = kScatterFrames;
    checked::add(s.scattertick, 1);

    for (int reel = 1; reel <= kReels; ++reel) {
        const std::int16_t cell = cellOn(s.scattercell, reel);
        if (cell == 0) continue;
        setIfValid(view_, {Element::flasher, cell}, Picture::entry(PictureList::ImageList1, s.scatterframe));
        view_.setVisible({Element::flasher, cell}, true);
    }
}

void Machine::Timer4_Timer() {
    auto& s = state;
    if (s.wildtick > kWildLastTick) s.wildtick = 0;
    if (s.wildtick >= kWildRise)
        checked::sub(s.wildframe, 1);
    else
        checked::add(s.wildframe, 1);
    if (s.wildframe >= kWildFrames) s.wildframe = kWildFrames;
    checked::add(s.wildtick, 1);

    // Only reels 2 to 4 carry the wild. Whether the overlay shows is the win
    // line display's business.
    for (int reel = 2; reel <= 4; ++reel) {
        const std::int16_t cell = cellOn(s.wildcell, reel);
        if (cell == 0) continue;
        setIfValid(view_, {Element::flasher, cell}, Picture::entry(PictureList::ImageList2, s.wildframe));
    }
}

void Machine::timerwild_Timer() {
    auto& s = state;
    if (s.spinwin < 1) return;
    switch (s.multiplier) {
        case 1:
            return;
        case 2:
            s.multiplierlastframe = 12;
            break;
        case 3:
            s.multiplierlastframe = 16;
            break;
        case 5:
            s.multiplierlastframe = 20;
            break;
        case 10:
            s.multiplierlastframe = 24;
            break;
        default:
            break;  // keeps the set it had
    }

    // The frame runs on through its set of four and wraps to the set's first.
    // A start value beyond the set (as the free-spin draw leaves it) lands on
    // the first frame, or for x10 on its last.
    checked::add(s.multiplierframe, 1);
    if (s.multiplierframe > s.multiplierlastframe)
        checked::assign(s.multiplierframe,
                        static_cast<std::int64_t>(s.multiplierlastframe) - (kMultiplierFramesPerSet - 1));
    checked::add(s.emblemframe, 1);
    if (s.emblemframe > kEmblemFrames) s.emblemframe = 1;

    // The multiplier is drawn over the emblem, its white ground transparent.
    const Picture picture = Picture::composite(PictureList::ImageList2, s.emblemframe, s.multiplierframe);
    const bool drawable = picture.valid() && picture.index <= kEmblemFrames && picture.overlay >= kFirstMultiplierFrame;
    for (int reel = 2; reel <= 4; ++reel) {
        const std::int16_t cell = cellOn(s.wildcell, reel);
        if (cell == 0 || !drawable) continue;
        view_.setPicture({Element::flasher, cell}, picture);
    }
}

}  // namespace velmoran
