#pragma once
// The five reel strips: 29 cells each, numbered 0 to 28 from the top. At
// rest a reel at stop k (1 to 22) shows cells k, k + 1 and k + 2; cells 0
// and 25 to 28 pass the window only while the reel moves.

#include <array>
#include <cstdint>

#include "reels/symbols.h"

namespace velmoran {

inline constexpr int kStripCells = 29;
inline constexpr int kStops = 22;
inline constexpr std::int32_t kCellTwips = 1500;  // 100 pixels

using Strip = std::array<Symbol, kStripCells>;

// kStrips[reel - 1][cell]
extern const std::array<Strip, 5> kStrips;

[[nodiscard]] inline Symbol stripSymbol(int reel, int cell) {
    return kStrips[static_cast<std::size_t>(reel - 1)][static_cast<std::size_t>(cell)];
}

// Row w (1 top, 2 middle, 3 bottom) of reel r at stop k.
[[nodiscard]] inline Symbol symbolAt(int reel, int stop, int row) {
    return stripSymbol(reel, stop + row - 1);
}

// Weight a reel adds to a line's code for a matching cell.
inline constexpr std::array<std::int16_t, 5> kReelWeight{8, 7, 6, 10, 20};
[[nodiscard]] constexpr std::int16_t reelweight(int reel) noexcept {
    return kReelWeight[static_cast<std::size_t>(reel - 1)];
}

// Serpentine cell numbers 1 to 15: down reels 1, 3, 5, up reels 2 and 4.
[[nodiscard]] constexpr std::int16_t cellNumber(int reel, int row) noexcept {
    const int base = (reel - 1) * 3;
    return static_cast<std::int16_t>(reel % 2 == 1 ? base + row : base + 4 - row);
}
// The reel (1 to 5) and row (1 to 3) of cell 1 to 15.
[[nodiscard]] constexpr int cellReel(int cell) noexcept {
    return (cell - 1) / 3 + 1;
}
[[nodiscard]] constexpr int cellRow(int cell) noexcept {
    const int reel = cellReel(cell);
    const int offset = cell - (reel - 1) * 3;  // 1 to 3
    return reel % 2 == 1 ? offset : 4 - offset;
}

}  // namespace velmoran
