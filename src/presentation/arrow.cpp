// The arrow indicator of a free-spin award: the arrow flies along the strip
// below the reels, then burns at its left end until the run ends by itself.
#include "core/checked.h"
#include "core/machine.h"

namespace velmoran {

namespace {

constexpr std::int16_t kLastTick = 75;    // 7.5 s at 100 ms
constexpr std::int16_t kFlightTicks = 4;  // ticks 1 to 4 keep to the first frames
constexpr std::int16_t kFlightWrap = 7;   // during them a frame past 7 starts over at 1
constexpr std::int16_t kLastFrame = 14;   // after it the burning frames 8 to 14 repeat
constexpr std::int16_t kBurnRestart = 7;
constexpr std::int16_t kLoopStartTick = 14;  // the looping sound of a new sequence

void showFrame(GameView& view, std::int16_t frame) {
    const Picture picture = Picture::entry(PictureList::imglistarrow, frame);
    if (picture.valid()) view.setPicture(Element::arrowpicture, picture);
}

}  // namespace

void Machine::arrowsound() {
    view_.playsound(SoundCue::ArrowWhoosh);
    view_.yield();
}

void Machine::timerarrow_Timer() {
    auto& s = state;
    checked::add(s.arrowtick, 1);
    if (s.arrowtick == 1) arrowsound();
    if (s.arrowtick >= kLastTick) {
        view_.setTimer(Timer::timerarrow, false);
        view_.setVisible(Element::arrowpicture, false);
    }
    checked::add(s.arrowframe, 1);
    if (s.arrowtick <= kFlightTicks) {
        if (s.arrowframe > kFlightWrap) s.arrowframe = 1;
        showFrame(view_, s.arrowframe);
    } else {
        showFrame(view_, s.arrowframe);
        if (s.arrowframe >= kLastFrame) s.arrowframe = kBurnRestart;
        if (s.arrowtick == kLoopStartTick && s.freespinsplayed == 1) view_.playsoundlooped(SoundCue::FreeSpinTune);
    }
}

}  // namespace velmoran
