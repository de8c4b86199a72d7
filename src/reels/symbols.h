#pragma once
// The twelve symbols of the reels. Codes 1 to 10 pay on lines and also order
// the ten linecode tables; Tepee is the scatter and Emblem the wild.

#include <array>
#include <cstdint>
#include <string_view>

namespace velmoran {

enum class Symbol : std::int16_t {
    LetterJ = 1,
    LetterK = 2,
    Headdress = 3,
    Dreamcatcher = 4,
    Totem = 5,
    LetterQ = 6,
    BuffaloSkull = 7,
    Chief = 8,
    Moccasins = 9,
    Maiden = 10,
    Tepee = 11,
    Emblem = 12,
};

inline constexpr int kSymbolCount = 12;

[[nodiscard]] constexpr int code(Symbol s) noexcept {
    return static_cast<int>(s);
}
[[nodiscard]] constexpr bool paysOnLines(Symbol s) noexcept {
    return code(s) >= 1 && code(s) <= 10;
}

inline constexpr std::array<std::string_view, kSymbolCount + 1> kSymbolNames{
    "",      "LetterJ",   "LetterK", "Headdress", "Dreamcatcher", "Totem", "LetterQ", "BuffaloSkull",
    "Chief", "Moccasins", "Maiden",  "Tepee",     "Emblem",
};
[[nodiscard]] constexpr std::string_view name(Symbol s) noexcept {
    return kSymbolNames[static_cast<std::size_t>(code(s))];
}

}  // namespace velmoran
