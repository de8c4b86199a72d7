#pragma once
// Checked arithmetic for the machine's fixed-width values.
//
// Every value of the machine lives in a signed 16- or 32-bit integer. A step
// whose result would leave that width is skipped: the target keeps its old
// value and play goes on with the next step. All arithmetic on MachineState
// goes through these helpers so that this rule is written once.

#include <concepts>
#include <cstdint>
#include <limits>

namespace velmoran::checked {

// Stores value into target when it fits the target's width. Returns whether
// the step took effect.
template <std::integral T>
constexpr bool assign(T& target, std::int64_t value) noexcept {
    if (value < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        value > static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
        return false;
    }
    target = static_cast<T>(value);
    return true;
}

template <std::integral T>
constexpr bool add(T& target, std::int64_t delta) noexcept {
    return assign(target, static_cast<std::int64_t>(target) + delta);
}

template <std::integral T>
constexpr bool sub(T& target, std::int64_t delta) noexcept {
    return assign(target, static_cast<std::int64_t>(target) - delta);
}

template <std::integral T>
constexpr bool mul(T& target, std::int64_t factor) noexcept {
    // Operands are at most 32 bits wide, so the product fits 64 bits.
    return assign(target, static_cast<std::int64_t>(target) * factor);
}

// A 16-bit product as the machine forms it (bet per line times lines, for
// example). Returns false and leaves result untouched when it overflows.
constexpr bool product16(std::int16_t& result, std::int64_t a, std::int64_t b) noexcept {
    return assign(result, a * b);
}

}  // namespace velmoran::checked
