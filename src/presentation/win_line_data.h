#pragma once
// The fixed drawing data of the win line display: the colour and the six
// segments of lines 1 to 20, and the cells each line crosses. All
// coordinates are twips in the main window's client area.

#include <array>
#include <cstdint>

#include "core/elements.h"
#include "core/machine_state.h"
#include "reels/paylines.h"

namespace velmoran {

// Lines 21 to 25 are drawn with their marker and cells only.
inline constexpr int kSegmentLines = 20;
inline constexpr int kSegmentsPerLine = 6;

struct LineSegment {
    std::int32_t x1, y1, x2, y2;
    friend constexpr bool operator==(const LineSegment&, const LineSegment&) = default;
};

using LineSegments = std::array<LineSegment, kSegmentsPerLine>;

// kLineColours[line - 1], the colour of all six segments of the line.
inline constexpr std::array<Rgb, kSegmentLines> kLineColours{{
    {0, 255, 255},    // 1
    {0, 255, 0},      // 2
    {255, 192, 192},  // 3
    {192, 0, 192},    // 4
    {0, 0, 255},      // 5
    {192, 64, 0},     // 6
    {255, 0, 0},      // 7
    {192, 192, 255},  // 8
    {0, 0, 192},      // 9
    {255, 224, 192},  // 10
    {255, 0, 255},    // 11
    {0, 128, 128},    // 12
    {192, 192, 0},    // 13
    {255, 192, 255},  // 14
    {128, 64, 64},    // 15
    {128, 0, 0},      // 16
    {0, 192, 192},    // 17
    {255, 128, 0},    // 18
    {255, 255, 0},    // 19
    {192, 0, 192},    // 20
}};

// kLineSegments[line - 1]: the left-end stub, the four gaps between reels 1-2,
// 2-3, 3-4 and 4-5, and the right-end stub. The gap segments run from the
// line's row on the left reel to its row on the right one; the parts that
// fall under a reel window are covered by it. Line 1 reaches further into the
// gaps than the others, and a few end points are a little off the common
// gap edges; both are how the artwork was drawn.
// clang-format off
inline constexpr std::array<LineSegments, kSegmentLines> kLineSegments{{
    /* 1 */ {{{840, 3090, 600, 3090}, {2280, 3090, 2490, 3090}, {3840, 3090, 4110, 3090}, {5520, 3090, 5700, 3090}, {7080, 3090, 7850, 3090}, {8760, 3090, 9120, 3090}}},
    /* 2 */ {{{570, 1710, 720, 1710}, {2190, 1710, 2400, 1710}, {3870, 1710, 4080, 1710}, {5550, 1710, 5700, 1710}, {7170, 1710, 7350, 1710}, {8820, 1710, 9030, 1710}}},
    /* 3 */ {{{570, 4440, 720, 4440}, {2190, 4440, 2400, 4440}, {3870, 4440, 4080, 4440}, {5550, 4440, 5700, 4440}, {7170, 4440, 7350, 4440}, {8820, 4440, 9030, 4440}}},
    /* 4 */ {{{570, 1710, 720, 1710}, {2190, 2340, 2400, 2550}, {3870, 3660, 4080, 3870}, {5700, 3660, 5500, 3870}, {7350, 2310, 7140, 2550}, {8820, 1710, 9030, 1710}}},
    /* 5 */ {{{570, 4440, 720, 4440}, {2190, 3870, 2400, 3660}, {3870, 2500, 4080, 2310}, {5700, 2550, 5500, 2310}, {7140, 3660, 7350, 3870}, {8820, 4440, 9030, 4440}}},
    /* 6 */ {{{570, 1710, 720, 1710}, {2190, 1710, 2400, 1710}, {3870, 2310, 4080, 2550}, {5700, 2310, 5500, 2550}, {7170, 1710, 7350, 1710}, {8820, 1710, 9030, 1710}}},
    /* 7 */ {{{570, 4440, 720, 4440}, {2190, 4440, 2400, 4440}, {4080, 3660, 3870, 3870}, {5500, 3660, 5700, 3870}, {7170, 4440, 7350, 4440}, {8820, 4440, 9030, 4440}}},
    /* 8 */ {{{570, 3090, 720, 3090}, {2400, 2340, 2190, 2550}, {3870, 1710, 4080, 1710}, {5550, 1710, 5700, 1710}, {7140, 2310, 7350, 2550}, {8820, 3090, 9030, 3090}}},
    /* 9 */ {{{570, 3090, 720, 3090}, {2400, 3870, 2190, 3660}, {3870, 4440, 4080, 4440}, {5550, 4440, 5700, 4440}, {7140, 3870, 7350, 3660}, {8820, 3090, 9030, 3090}}},
    /* 10 */ {{{570, 3090, 720, 3090}, {2190, 3090, 2400, 3090}, {3870, 2550, 4080, 2310}, {5700, 2550, 5500, 2310}, {7140, 3090, 7350, 3090}, {8820, 3090, 9030, 3090}}},
    /* 11 */ {{{570, 3090, 720, 3090}, {2190, 3090, 2400, 3090}, {3870, 3660, 4080, 3870}, {5700, 3660, 5500, 3870}, {7140, 3090, 7350, 3090}, {8820, 3090, 9030, 3090}}},
    /* 12 */ {{{570, 1710, 720, 1710}, {2190, 2310, 2400, 2550}, {3870, 3090, 4080, 3090}, {5550, 3090, 5700, 3090}, {7350, 2310, 7140, 2550}, {8820, 1710, 9030, 1710}}},
    /* 13 */ {{{570, 4440, 720, 4440}, {2190, 3870, 2400, 3660}, {3870, 3090, 4080, 3090}, {5550, 3090, 5700, 3090}, {7170, 3660, 7350, 3870}, {8820, 4440, 9030, 4440}}},
    /* 14 */ {{{570, 1710, 720, 1710}, {2190, 2310, 2400, 2550}, {3870, 2550, 4080, 2310}, {5700, 2550, 5500, 2310}, {7350, 2310, 7140, 2550}, {8820, 1710, 9030, 1710}}},
    /* 15 */ {{{570, 3090, 720, 3090}, {2400, 2340, 2190, 2550}, {3870, 2310, 4080, 2550}, {5700, 2310, 5500, 2550}, {7140, 2310, 7350, 2550}, {8820, 3090, 9030, 3090}}},
    /* 16 */ {{{570, 4440, 720, 4440}, {2190, 3870, 2400, 3660}, {3870, 3660, 4080, 3870}, {5700, 3660, 5550, 3870}, {7140, 3660, 7350, 3870}, {8820, 4440, 9030, 4440}}},
    /* 17 */ {{{570, 3090, 720, 3090}, {2400, 3870, 2190, 3660}, {4080, 3660, 3870, 3870}, {5500, 3660, 5700, 3870}, {7170, 3870, 7350, 3660}, {8820, 3090, 9030, 3090}}},
    /* 18 */ {{{570, 1710, 720, 1710}, {2190, 1800, 2400, 4400}, {4080, 1800, 3870, 4400}, {5550, 1800, 5700, 4400}, {7170, 4400, 7350, 1800}, {8820, 1710, 9030, 1710}}},
    /* 19 */ {{{570, 4440, 720, 4440}, {2400, 1800, 2190, 4400}, {3870, 1800, 4080, 4400}, {5700, 1800, 5550, 4400}, {7170, 1800, 7350, 4400}, {8820, 4440, 9030, 4440}}},
    /* 20 */ {{{570, 3090, 720, 3090}, {2400, 2190, 2190, 2550}, {3870, 2190, 4080, 4040}, {5550, 4040, 5700, 2190}, {7170, 2190, 7350, 2550}, {8820, 3090, 9030, 3090}}},
}};
// clang-format on

[[nodiscard]] constexpr bool hasSegments(int line) noexcept {
    return line >= 1 && line <= kSegmentLines;
}

// Only for lines 1 to 20 (see hasSegments).
[[nodiscard]] constexpr const LineSegments& lineSegments(int line) noexcept {
    return kLineSegments[static_cast<std::size_t>(line - 1)];
}
[[nodiscard]] constexpr Rgb lineColour(int line) noexcept {
    return kLineColours[static_cast<std::size_t>(line - 1)];
}

// The cell (1 to 15) that line 1 to 25 crosses on reel 1 to 5: the cells
// that blink for a winning run.
[[nodiscard]] constexpr std::int16_t winLineCell(int line, int reel) noexcept {
    return paylineCell(line, reel);
}

// The first and last cell of reel 1 to 5 (each reel holds three consecutive
// cell numbers, whatever their order on the screen).
[[nodiscard]] constexpr std::int16_t firstCellOf(int reel) noexcept {
    return static_cast<std::int16_t>(reel * 3 - 2);
}
[[nodiscard]] constexpr std::int16_t lastCellOf(int reel) noexcept {
    return static_cast<std::int16_t>(reel * 3);
}
[[nodiscard]] constexpr bool cellOnReel(std::int16_t cell, int reel) noexcept {
    return cell >= firstCellOf(reel) && cell <= lastCellOf(reel);
}

// Every horizontal end stub sits at the height of the row it ends on, so
// a slip in the table shows up here rather than on the screen.
namespace win_line_data_check {
constexpr std::int32_t rowHeight(int row) noexcept {
    return row == 1 ? 1710 : row == 2 ? 3090 : 4440;
}
constexpr bool stubsMatchRows() noexcept {
    for (int line = 1; line <= kSegmentLines; ++line) {
        const auto& seg = lineSegments(line);
        const auto left = rowHeight(paylineRow(line, 1));
        const auto right = rowHeight(paylineRow(line, 5));
        if (seg[0].y1 != left || seg[0].y2 != left || seg[5].y1 != right || seg[5].y2 != right) return false;
    }
    return true;
}
static_assert(stubsMatchRows());
}  // namespace win_line_data_check

}  // namespace velmoran
