// The reel motion: six phases of frames that scroll the reels onto their
// stops, left to right, each overshooting and settling back, with the stop
// click and the scatter chimes. Held reels stay still.
#include <array>

#include "core/machine.h"

namespace velmoran {

namespace {

struct Speed {
    std::int16_t level;
    std::int32_t step;  // twips per frame
};

// A reelspeed outside the table (only a damaged store gives one) runs as
// speed 1, so the motion never gets a zero step nor long sleeps.
Speed speedFor(std::int16_t reelspeed) {
    switch (reelspeed) {
        case 2:
            return {2, 800};
        case 4:
            return {4, 600};
        case 8:
            return {8, 400};
        case 10:
            return {10, 200};
        default:
            return {1, 1000};
    }
}

constexpr std::array<std::int32_t, 5> kPhaseSleepBase{15, 17, 18, 19, 0};  // phases 2 to 5
constexpr std::array<SoundCue, 5> kScatterSound{SoundCue::ScatterReel1, SoundCue::ScatterReel2, SoundCue::ScatterReel3,
                                                SoundCue::ScatterReel4, SoundCue::ScatterReel5};

void setReelTop(GameView& view, int reel, std::int32_t top) {
    view.move(reelElement(reel), 0, top);
}

}  // namespace

void reelMotion(Machine& m) {
    auto& s = m.state;
    auto& view = m.view();
    const Speed speed = speedFor(s.reelspeed);
    const std::int32_t st = speed.step;
    const bool sequence = s.freespinstotal > 0;
    const auto top = [&](int reel) { return s.reeltop[static_cast<std::size_t>(reel)]; };

    // Phase 1: every reel spins until reel 1 reaches its stop.
    for (std::int32_t i = -32400; i <= top(1); i += st) {
        setReelTop(view, 1, i + 600);
        for (int reel = 2; reel <= 4; ++reel) {
            if (s.isHeld(reel)) {
                *s.holdreel(reel) = 0;
            } else {
                setReelTop(view, reel, i);
            }
        }
        setReelTop(view, 5, i);
        view.pause(13 + speed.level);
    }
    // A held reel's request is cleared even when phase 1 had no frames (reel 1
    // at stop 22), so a wild is held for exactly one further spin.
    for (int reel = 2; reel <= 4; ++reel)
        if (s.isHeld(reel)) *s.holdreel(reel) = 0;

    std::int32_t settle = 0;
    std::int32_t base = top(1) + 600;
    if (!sequence) {
        view.playsound(SoundCue::ReelStop);
        if (s.scattercell[1] > 0) view.playsound(SoundCue::ScatterReel1);
    }

    // Phases 2 to 5: reel n stops while reel n - 1 settles.
    for (int n = 2; n <= 5; ++n) {
        const std::int32_t sleep = kPhaseSleepBase[static_cast<std::size_t>(n - 2)] + speed.level;
        for (int pass = 0; pass < 2; ++pass) {
            for (std::int32_t j = top(n) - 4050; j <= top(n); j += st) {
                if (settle < 600) {
                    settle += 60;
                    if (!s.isHeld(n - 1)) setReelTop(view, n - 1, base - settle);
                }
                if (!s.isHeld(n)) setReelTop(view, n, j + 600);
                for (int later = n + 1; later <= 5; ++later)
                    if (!s.isHeld(later)) setReelTop(view, later, j);
                view.pause(sleep);
            }
        }
        settle = 0;
        base = top(n) + 600;
        if (!sequence && !s.isHeld(n)) view.playsound(SoundCue::ReelStop);
        if (s.scattercell[static_cast<std::size_t>(n)] > 0 && !sequence && (n <= 3 || s.scattercount >= 2))
            view.playsound(kScatterSound[static_cast<std::size_t>(n - 1)]);
    }

    // Phase 6: reel 5 settles.
    for (std::int32_t off = 0; off <= 600; off += 50) {
        setReelTop(view, 5, base - off);
        view.pause(9 + speed.level);
    }

    s.heldreel2 = s.heldreel3 = s.heldreel4 = 0;
}

}  // namespace velmoran
