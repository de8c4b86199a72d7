#pragma once
// What one set of stops is worth: the line wins, the scatters and the wilds
// of an outcome, as plain data. evaluatespin books the game from it, and the
// par sheet enumerates and samples it, so what the figures describe is what
// the machine pays.
//
// The evaluation is table-driven and allocates nothing: the symbols every
// payline crosses at every stop of every reel, and the run and pay for every
// symbol and set of matching reels, are worked out once from the strips, the
// paylines and the pay table.

#include <array>
#include <cstdint>

#include "core/machine_state.h"
#include "reels/paytable.h"
#include "reels/strips.h"
#include "reels/symbols.h"

namespace velmoran {

// Reel 1 first. A stop k shows cells k, k + 1 and k + 2; the machine draws 1
// to 22, and every stop up to kLastStop keeps those cells on the strip.
using ReelStops = std::array<std::int16_t, kReels>;
inline constexpr int kLastStop = kStripCells - 3;

// A set of matching reels (bit r - 1 for reel r) as the reel procedures sum
// it into a linecode.
[[nodiscard]] constexpr std::int16_t linecodeOf(std::uint8_t reels) noexcept {
    std::int16_t sum = 0;
    for (int reel = 1; reel <= kReels; ++reel)
        if ((reels >> (reel - 1)) & 1U) sum = static_cast<std::int16_t>(sum + reelweight(reel));
    return sum;
}

// The run a symbol is paid for on a line with these matching reels: 3 to 5
// whenever the linecode makes one, 2 only for a symbol that pays a pair.
[[nodiscard]] constexpr std::int8_t paidRun(Symbol symbol, std::uint8_t reels) noexcept {
    const int run = runForCode(linecodeOf(reels));
    if (run >= 3 || (run == 2 && linePay(symbol, 2) > 0)) return static_cast<std::int8_t>(run);
    return 0;
}

// One line of an outcome.
struct LineResult {
    // The symbol the line is paid for: the one in its reel-1 cell.
    Symbol symbol{};
    // The reels whose cell on the line shows that symbol or a wild; its
    // linecodeOf is the line's linecode for the symbol. 0 when reel 1 shows
    // the scatter, which never pays on a line.
    std::uint8_t reels = 0;
    std::int8_t run = 0;     // the paid run, 2 to 5; 0 when the line pays nothing or is not active
    std::int16_t pay = 0;    // coins per coin of linebet
    std::int32_t cents = 0;  // pay x linebet
};

// Lines are kept lane by lane (lane = line - 1, padded to a whole number of
// vector lanes), so that the evaluation fills them a vector at a time.
inline constexpr std::size_t kLineLanes = 32;

// evaluateOutcome writes every field; the per-line arrays have no initialiser
// so that it does not clear them first.
struct Outcome {
    std::array<std::uint8_t, kLineLanes> symbol;  // code of the reel-1 symbol of each line
    std::array<std::uint8_t, kLineLanes> reels;   // as LineResult::reels
    std::array<std::int8_t, kLineLanes> run;      // as LineResult::run; 0 on lines not active
    std::array<std::int16_t, kLineLanes> pay;     // as LineResult::pay
    std::int16_t linebet = 0;
    std::int32_t linewin = 0;     // cents, the active lines together
    std::int32_t scatterwin = 0;  // cents
    std::int32_t spinwin = 0;     // scatterwin + linewin
    std::int16_t scattercount = 0;
    std::array<std::int16_t, kReels> scattercell{};  // [reel - 1]: cell 1 to 15, or 0
    std::array<std::int16_t, kReels> wildcell{};     // [reel - 1]: cell 1 to 15, or 0
    std::uint8_t wildreels = 0;                      // bit r - 1: reel r shows a wild and asks to be held
    // A wild lies inside a paid run (reel 2 for a pair, reels 2 and 3 for
    // three, reels 2 to 4 for more): a free spin's multiplier applies.
    bool wildinrun = false;

    // Line 1 to 25.
    [[nodiscard]] LineResult line(int number) const noexcept {
        const auto lane = static_cast<std::size_t>(number - 1);
        return {static_cast<Symbol>(symbol[lane]), reels[lane], run[lane], pay[lane],
                static_cast<std::int32_t>(pay[lane]) * linebet};
    }
};

// The outcome of these stops with the first `lines` lines active at `linebet`
// coins a line. Pure: reads only its arguments and the constant tables.
[[nodiscard]] Outcome evaluateOutcome(const ReelStops& stops, std::int16_t lines, std::int16_t linebet) noexcept;

// The scatter pay as the machine forms it: linebet x factor x lines in 16-bit
// arithmetic, nothing when that leaves the width.
[[nodiscard]] std::int32_t scatterWin(std::int16_t scattercount, std::int16_t lines, std::int16_t linebet) noexcept;

}  // namespace velmoran
