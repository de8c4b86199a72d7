// Timer1: the winning lines are shown one after another, five ticks each,
// blinking the line's marker, its segments and the cells of its winning run.
#include "core/checked.h"
#include "core/machine.h"
#include "presentation/win_line_data.h"

namespace velmoran {

namespace {

constexpr std::int32_t kTickPauseMs = 150;
constexpr std::int16_t kTicksPerLine = 5;

// The lines that take part: 1 to `lines`, never past the last line.
int activeLines(const MachineState& s) noexcept {
    return s.lines < 0 ? 0 : s.lines > kLines ? kLines : s.lines;
}

int winningLines(const MachineState& s) noexcept {
    int count = 0;
    for (int line = 1; line <= activeLines(s); ++line)
        if (s.linewon[static_cast<std::size_t>(line)] > 0) ++count;
    return count;
}

// Moves showline/showtick on to the line this tick shows. The caller has
// found a winning line among the active ones, so the search ends after at
// most one wrap to line 1.
void chooseLine(MachineState& s) {
    const int last = activeLines(s);
    for (;;) {
        // A position before line 1 (never stored by the cycle itself) starts
        // over like one past the last line.
        if (s.showline > last || s.showline < 1) {
            s.showline = 1;
            s.showtick = 1;
        }
        const bool won = s.linewon[static_cast<std::size_t>(s.showline)] != 0;
        if (won && s.showtick <= kTicksPerLine) return;
        // At 32767 the step cannot be taken; the next pass wraps instead.
        if (!checked::add(s.showline, 1)) s.showline = 0;
        s.showtick = 1;
    }
}

void drawSegments(GameView& view, int line, bool shown) {
    const auto& segments = lineSegments(line);
    for (std::int16_t i = 1; i <= kSegmentsPerLine; ++i) {
        const auto& seg = segments[static_cast<std::size_t>(i - 1)];
        view.setLineEnds({Element::Lineflash, i}, seg.x1, seg.y1, seg.x2, seg.y2);
    }
    for (std::int16_t i = 1; i <= kSegmentsPerLine; ++i) {
        view.setLineColour({Element::Lineflash, i}, lineColour(line));
        view.setVisible({Element::Lineflash, i}, shown);
    }
}

// The cells of the run, from reel 1. A wild inside the run stays shown so
// that its animation is seen steadily rather than blinking.
void drawRun(GameView& view, const MachineState& s, int line, std::int16_t run, bool shown) {
    if (run < 2 || run > kReels) return;
    for (int reel = 1; reel <= run; ++reel) {
        const std::int16_t cell = winLineCell(line, reel);
        const bool wild = cell == s.wildcell[static_cast<std::size_t>(reel)];
        view.setVisible({Element::flasher, cell}, wild || shown);
    }
}

}  // namespace

void Machine::Timer1_Timer() {
    auto& s = state;
    if (winningLines(s) == 0) {
        view_.setTimer(Timer::Timer1, false);
        return;
    }

    checked::add(s.showtick, 1);
    checked::add(s.blinkphase, 1);
    chooseLine(s);

    if (s.blinkphase > 1) s.blinkphase = 0;
    if (s.showtick == kTicksPerLine) s.blinkphase = 0;
    const bool shown = s.blinkphase == 1;

    const std::size_t at = static_cast<std::size_t>(s.showline);
    const std::int16_t line = s.linewon[at];
    if (line >= 1 && line <= kLines) {
        if (hasSegments(line)) drawSegments(view_, line, shown);
        view_.setVisible({Element::lin, line}, shown);
        drawRun(view_, s, line, s.linecount[at], shown);
        // A new spin or the gamble may stop the cycle while events run here;
        // only the pause follows, so nothing stale is drawn afterwards.
        view_.yield();
    }
    view_.pause(kTickPauseMs);
}

}  // namespace velmoran
