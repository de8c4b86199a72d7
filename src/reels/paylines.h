#pragma once
// The 25 paylines: one row (1 top, 2 middle, 3 bottom) per reel.

#include <array>
#include <cstdint>

#include "core/machine_state.h"
#include "reels/strips.h"

namespace velmoran {

// kPaylineRows[line - 1][reel - 1]
inline constexpr std::array<std::array<std::int8_t, 5>, kLines> kPaylineRows{{
    {2, 2, 2, 2, 2}, {1, 1, 1, 1, 1}, {3, 3, 3, 3, 3}, {1, 2, 3, 2, 1}, {3, 2, 1, 2, 3},
    {1, 1, 2, 1, 1}, {3, 3, 2, 3, 3}, {2, 1, 1, 1, 2}, {2, 3, 3, 3, 2}, {2, 2, 1, 2, 2},
    {2, 2, 3, 2, 2}, {1, 2, 2, 2, 1}, {3, 2, 2, 2, 3}, {1, 2, 1, 2, 1}, {2, 1, 2, 1, 2},
    {3, 2, 3, 2, 3}, {2, 3, 2, 3, 2}, {1, 3, 1, 3, 1}, {3, 1, 3, 1, 3}, {2, 1, 3, 1, 2},
    {2, 3, 1, 3, 2}, {2, 1, 2, 3, 2}, {2, 3, 2, 1, 2}, {1, 1, 1, 2, 3}, {3, 3, 3, 2, 1},
}};

[[nodiscard]] constexpr int paylineRow(int line, int reel) noexcept {
    return kPaylineRows[static_cast<std::size_t>(line - 1)][static_cast<std::size_t>(reel - 1)];
}
// The cell number (1 to 15) that line L crosses on reel r.
[[nodiscard]] constexpr std::int16_t paylineCell(int line, int reel) noexcept {
    return cellNumber(reel, paylineRow(line, reel));
}

// The lines through one row of one reel, in increasing order.
struct RowList {
    std::array<std::int8_t, 11> lines{};
    std::int8_t count = 0;
    [[nodiscard]] constexpr const std::int8_t* begin() const noexcept { return lines.data(); }
    [[nodiscard]] constexpr const std::int8_t* end() const noexcept { return lines.data() + count; }
};

[[nodiscard]] constexpr RowList makeRowList(int reel, int row) noexcept {
    RowList list;
    for (int line = 1; line <= kLines; ++line) {
        if (paylineRow(line, reel) == row)
            list.lines[static_cast<std::size_t>(list.count++)] = static_cast<std::int8_t>(line);
    }
    return list;
}

// kRowLists[reel - 1][row - 1]: constant, built once at compile time.
inline constexpr auto kRowLists = [] {
    std::array<std::array<RowList, 3>, 5> lists{};
    for (int reel = 1; reel <= 5; ++reel)
        for (int row = 1; row <= 3; ++row)
            lists[static_cast<std::size_t>(reel - 1)][static_cast<std::size_t>(row - 1)] = makeRowList(reel, row);
    return lists;
}();

[[nodiscard]] constexpr const RowList& rowList(int reel, int row) noexcept {
    return kRowLists[static_cast<std::size_t>(reel - 1)][static_cast<std::size_t>(row - 1)];
}

}  // namespace velmoran
