#pragma once
// What the machine pays: line pays per coin bet on the line, the run each
// linecode stands for, and the scatter pays in multiples of the total bet.

#include <array>
#include <cstdint>

#include "reels/symbols.h"

namespace velmoran {

// kLinePays[code - 1][run - 2] for runs of 2 to 5; 0 where nothing is paid.
inline constexpr std::array<std::array<std::int16_t, 4>, 10> kLinePays{{
    /* LetterJ      */ {0, 5, 20, 100},
    /* LetterK      */ {0, 15, 50, 175},
    /* Headdress    */ {2, 10, 20, 100},
    /* Dreamcatcher */ {0, 100, 250, 800},
    /* Totem        */ {0, 20, 40, 125},
    /* LetterQ      */ {0, 10, 20, 100},
    /* BuffaloSkull */ {0, 50, 75, 150},
    /* Chief        */ {0, 300, 600, 1500},
    /* Moccasins    */ {0, 20, 50, 150},
    /* Maiden       */ {0, 100, 250, 800},
}};

[[nodiscard]] constexpr std::int16_t linePay(Symbol s, int run) noexcept {
    if (!paysOnLines(s) || run < 2 || run > 5) return 0;
    return kLinePays[static_cast<std::size_t>(code(s) - 1)][static_cast<std::size_t>(run - 2)];
}

// The run a linecode stands for: the reels that match, counted from reel 1
// without a gap. 0 for every code that is no win.
[[nodiscard]] constexpr int runForCode(std::int16_t linecode) noexcept {
    switch (linecode) {
        case 15:
        case 25:
        case 35:
        case 45:
            return 2;
        case 21:
        case 41:
            return 3;
        case 31:
            return 4;
        case 51:
            return 5;
        default:
            return 0;
    }
}

// Symbols in the order the line pays examine them (it decides only the
// Headdress pair rule).
inline constexpr std::array<Symbol, 10> kEvaluationOrder{
    Symbol::Totem,     Symbol::Chief,   Symbol::Maiden,  Symbol::Moccasins,    Symbol::Dreamcatcher,
    Symbol::Headdress, Symbol::LetterK, Symbol::LetterQ, Symbol::BuffaloSkull, Symbol::LetterJ,
};

// Scatter pay factor (times the total bet) and free-spin award by scatter count.
struct ScatterPay {
    std::int16_t factor;
    std::int16_t freespins;  // shown to the player
    std::int16_t added;      // added to freespinstotal (the triggering spin counts as spin 1)
};
inline constexpr std::array<ScatterPay, 6> kScatterPays{{
    {0, 0, 0},
    {0, 0, 0},
    {1, 0, 0},
    {5, 10, 11},
    {10, 20, 21},
    {20, 30, 31},
}};
[[nodiscard]] constexpr ScatterPay scatterPay(int count) noexcept {
    return (count >= 0 && count <= 5) ? kScatterPays[static_cast<std::size_t>(count)] : ScatterPay{0, 0, 0};
}

}  // namespace velmoran
