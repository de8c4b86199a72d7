#pragma once
// The buttons that set the bet: the six play buttons with the bet per line
// each stands for, and the five payline buttons with their number of lines.

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmoran {

// linebet of play button 1 to 6.
inline constexpr std::array<std::int16_t, 6> kLinebetOfPlay{1, 2, 3, 5, 10, 20};

// `lines` chosen by payline buttons 1 to 5.
inline constexpr std::array<std::int16_t, 5> kPaylineButtonLines{1, 5, 10, 15, 25};

// The play button (1 to 6) of a bet per line, 0 for a bet no button makes
// (0 before the first game).
[[nodiscard]] constexpr std::int16_t playButtonForLinebet(std::int16_t linebet) noexcept {
    for (std::size_t i = 0; i < kLinebetOfPlay.size(); ++i)
        if (kLinebetOfPlay[i] == linebet) return static_cast<std::int16_t>(i + 1);
    return 0;
}

}  // namespace velmoran
