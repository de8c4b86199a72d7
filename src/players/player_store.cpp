// The layout of player records in the settings store and the reading of
// stored numbers.
#include "players/player_store.h"

#include <algorithm>

namespace velmoran::players {

namespace {

constexpr bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}
constexpr bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// More digits than this cannot fit any width the record uses, and fewer keep
// the value inside int64 while it is built.
constexpr std::size_t kMaxWholeDigits = 18;

}  // namespace

std::string sectionFor(std::int16_t slot) {
    return "player" + std::to_string(slot);
}

std::optional<std::int64_t> parseStoredNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }

    std::string_view whole = text;
    std::string_view fraction;
    if (const auto point = text.find('.'); point != std::string_view::npos) {
        whole = text.substr(0, point);
        fraction = text.substr(point + 1);
    }
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (!std::all_of(whole.begin(), whole.end(), isDigit) || !std::all_of(fraction.begin(), fraction.end(), isDigit)) {
        return std::nullopt;
    }

    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    if (whole.size() > kMaxWholeDigits) return std::nullopt;

    std::int64_t magnitude = 0;
    for (char c : whole) magnitude = magnitude * 10 + (c - '0');

    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool beyondHalf = std::any_of(fraction.begin() + 1, fraction.end(), [](char c) { return c != '0'; });
        const bool roundUp = first > '5' || (first == '5' && (beyondHalf || magnitude % 2 == 1));
        if (roundUp) ++magnitude;
    }
    return negative ? -magnitude : magnitude;
}

std::array<std::string, kSlotCount> listNames(SettingsStore& store) {
    std::array<std::string, kSlotCount> names;
    for (std::int16_t k = 1; k <= kSlotCount; ++k) {
        names[static_cast<std::size_t>(k - 1)] = store.read(kApplication, sectionFor(k), key(RecordKey::currentplayer));
    }
    return names;
}

}  // namespace velmoran::players
