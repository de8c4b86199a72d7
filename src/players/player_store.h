#pragma once
// How a player's record sits in the settings store: the application, the
// section of each slot, the keys in the order they are written and read,
// and the reading of a stored number.

#include <array>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/ports/settings_store.h"

namespace velmoran::players {

inline constexpr std::string_view kApplication = "duraridu";
inline constexpr std::int16_t kSlotCount = 6;

// The keys of a record, in the order in which they are written and read.
enum class RecordKey : std::uint8_t { winroll, reelspeed, amountinvested, wager, total, bank, games, currentplayer };
inline constexpr std::array<std::string_view, 8> kRecordKeys{
    "winroll", "reelspeed", "amountinvested", "wager", "total", "bank", "games", "currentplayer",
};
[[nodiscard]] constexpr std::string_view key(RecordKey k) noexcept {
    return kRecordKeys[static_cast<std::size_t>(k)];
}

// "player1" to "player6".
[[nodiscard]] std::string sectionFor(std::int16_t slot);

// A stored number: optional surrounding blanks, an optional minus sign, and
// decimal digits with an optional fraction after a point ("12", "-3", "2.5",
// ".5", "7."). A fraction is taken to the nearest integer, ties to even.
// Anything else ("", "+5", "1e3", "0x10", "1,000", "five") is no number.
[[nodiscard]] std::optional<std::int64_t> parseStoredNumber(std::string_view text);

// The stored number when it is one and fits T after rounding.
template <std::integral T>
[[nodiscard]] std::optional<T> storedInteger(std::string_view text) {
    const auto value = parseStoredNumber(text);
    if (!value || *value < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        *value > static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(*value);
}

// The names of slots 1 to 6 as stored (empty for a vacant slot), read in
// slot order; nothing else is read.
[[nodiscard]] std::array<std::string, kSlotCount> listNames(SettingsStore& store);

}  // namespace velmoran::players
