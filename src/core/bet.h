#pragma once
// The six play buttons and the bet per line each of them stands for.

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmoran {

// linebet of play button 1 to 6.
inline constexpr std::array<std::int16_t, 6> kLinebetOfPlay{1, 2, 3, 5, 10, 20};

// The play button (1 to 6) of a bet per line, 0 for a bet no button makes
// (0 before the first game).
[[nodiscard]] constexpr std::int16_t playButtonForLinebet(std::int16_t linebet) noexcept {
    for (std::size_t i = 0; i < kLinebetOfPlay.size(); ++i)
        if (kLinebetOfPlay[i] == linebet) return static_cast<std::int16_t>(i + 1);
    return 0;
}

}  // namespace velmoran
