#include "reels/outcome.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

#include "core/checked.h"
#include "reels/paylines.h"

namespace velmoran {

namespace {

constexpr auto kWild = static_cast<std::uint8_t>(code(Symbol::Emblem));
constexpr int kStopSlots = kLastStop + 1;

// What one reel at one stop puts on the paylines, as the reel procedures
// record it: the symbol code on each line, and its scatter and wild cells
// (the lowest row wins when a reel shows two).
struct ReelAtStop {
    alignas(kLineLanes) std::array<std::uint8_t, kLineLanes> symbol{};  // [line - 1]; no symbol past line 25
    std::int16_t scatters = 0;
    std::int16_t scattercell = 0;
    std::int16_t wildcell = 0;
};
using ReelTable = std::array<ReelAtStop, kStopSlots>;

std::array<ReelTable, kReels> buildReels() {
    std::array<ReelTable, kReels> reels{};
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int stop = 0; stop < kStopSlots; ++stop) {
            ReelAtStop& at = reels[static_cast<std::size_t>(reel - 1)][static_cast<std::size_t>(stop)];
            for (int row = 1; row <= 3; ++row) {
                const Symbol symbol = symbolAt(reel, stop, row);
                for (const auto line : rowList(reel, row))
                    at.symbol[static_cast<std::size_t>(line - 1)] = static_cast<std::uint8_t>(code(symbol));
                if (symbol == Symbol::Tepee) {
                    ++at.scatters;
                    at.scattercell = cellNumber(reel, row);
                } else if (symbol == Symbol::Emblem) {
                    at.wildcell = cellNumber(reel, row);
                }
            }
        }
    }
    return reels;
}

// The strips are constant-initialised, so this is built before anything can
// evaluate a spin.
const std::array<ReelTable, kReels> kReelsAt = buildReels();

struct Paid {
    std::int8_t run = 0;
    std::int16_t pay = 0;
};

// kPaid[symbol code][matching reels]: the run and pay of a line whose reel-1
// cell shows that symbol, straight from the linecode rule and the pay table.
constexpr auto kPaid = [] {
    std::array<std::array<Paid, 32>, 16> paid{};
    for (int sym = 1; sym <= kLineSymbols; ++sym) {
        for (unsigned reels = 0; reels < 32; ++reels) {
            const auto symbol = static_cast<Symbol>(sym);
            const std::int8_t run = paidRun(symbol, static_cast<std::uint8_t>(reels));
            paid[static_cast<std::size_t>(sym)][reels] = {run, linePay(symbol, run)};
        }
    }
    return paid;
}();

// Every paying code includes reels 1 and 2: lines without them are never
// looked up.
constexpr bool everyWinHasReelsOneAndTwo() {
    for (std::size_t sym = 0; sym < kPaid.size(); ++sym)
        for (unsigned reels = 0; reels < 32; ++reels)
            if ((reels & 0b11U) != 0b11U && kPaid[sym][reels].run != 0) return false;
    return true;
}
static_assert(everyWinHasReelsOneAndTwo());

// Reel 2's bit in each of eight lanes read as one word.
static_assert(std::endian::native == std::endian::little, "lanes are read as little-endian words");
constexpr std::uint64_t kReelTwoInEveryLane = 0x0202020202020202ULL;

// kLinesAtCell[cell]: the lines (bit line - 1) that cross that cell; none for 0.
constexpr auto kLinesAtCell = [] {
    std::array<std::uint32_t, 16> lines{};
    for (int line = 1; line <= kLines; ++line)
        for (int reel = 1; reel <= kReels; ++reel)
            lines[static_cast<std::size_t>(paylineCell(line, reel))] |= 1U << (line - 1);
    return lines;
}();

[[nodiscard]] std::uint8_t matching(std::uint8_t symbol, std::uint8_t shown) noexcept {
    return static_cast<std::uint8_t>((shown == symbol) | (shown == kWild));
}

// A wild in reel 1's cell stands for every symbol, so each of them is looked
// at in the machine's order, and a pair never replaces a longer run already
// paid on the line. The strips put no wild on reel 1 at rest; this keeps the
// evaluation whole for any strip.
void wildOnReelOne(Outcome& out, const std::array<const ReelAtStop*, kReels>& at, std::size_t lane) {
    out.reels[lane] = 1;
    for (const Symbol symbol : kEvaluationOrder) {
        const auto sym = static_cast<std::uint8_t>(code(symbol));
        std::uint8_t reels = 1;
        for (std::size_t r = 1; r < kReels; ++r)
            reels = static_cast<std::uint8_t>(reels | (matching(sym, at[r]->symbol[lane]) << r));
        const Paid& paid = kPaid[sym][reels];
        if (paid.run == 0 || (paid.run == 2 && out.run[lane] > 2)) continue;
        out.symbol[lane] = sym;
        out.reels[lane] = reels;
        out.run[lane] = paid.run;
        out.pay[lane] = static_cast<std::int16_t>(out.pay[lane] + paid.pay);
    }
}

}  // namespace

std::int32_t scatterWin(std::int16_t scattercount, std::int16_t lines, std::int16_t linebet) noexcept {
    const std::int16_t factor = scatterPay(scattercount).factor;
    if (factor == 0) return 0;
    std::int16_t pay = 0;
    if (checked::product16(pay, linebet, factor) && checked::product16(pay, pay, lines)) return pay;
    return 0;
}

Outcome evaluateOutcome(const ReelStops& stops, std::int16_t lines, std::int16_t linebet) noexcept {
    Outcome out;
    std::array<const ReelAtStop*, kReels> at{};
    for (std::size_t r = 0; r < kReels; ++r) {
        assert(stops[r] >= 0 && stops[r] <= kLastStop);
        at[r] = &kReelsAt[r][static_cast<std::size_t>(stops[r])];
        out.scattercount = static_cast<std::int16_t>(out.scattercount + at[r]->scatters);
        out.scattercell[r] = at[r]->scattercell;
        out.wildcell[r] = at[r]->wildcell;
        out.wildreels = static_cast<std::uint8_t>(out.wildreels | (static_cast<unsigned>(at[r]->wildcell != 0) << r));
    }

    // The matching reels of every line for the symbol in its reel-1 cell,
    // all lanes at once. The scatter has none: it never pays on a line.
    const auto& first = at[0]->symbol;
    for (std::size_t lane = 0; lane < kLineLanes; ++lane) {
        const std::uint8_t symbol = first[lane];
        std::uint8_t m = 1;
        m = static_cast<std::uint8_t>(m | (matching(symbol, at[1]->symbol[lane]) << 1));
        m = static_cast<std::uint8_t>(m | (matching(symbol, at[2]->symbol[lane]) << 2));
        m = static_cast<std::uint8_t>(m | (matching(symbol, at[3]->symbol[lane]) << 3));
        m = static_cast<std::uint8_t>(m | (matching(symbol, at[4]->symbol[lane]) << 4));
        const bool paysOnLine = symbol != 0 && symbol <= kLineSymbols;
        out.symbol[lane] = symbol;
        out.reels[lane] = paysOnLine ? m : 0;
    }

    // The active lines' runs and pays, straight from the table. Only a line
    // whose reels 1 and 2 match can pay, so only those are looked up; they
    // are found eight lanes at a time.
    const auto active = static_cast<std::size_t>(std::clamp<int>(lines, 0, kLines));
    out.run.fill(0);
    out.pay.fill(0);
    std::int32_t coins = 0;
    // Lines paid for a run of at least 2, 3 and 4, for the multiplier's test.
    std::uint32_t pairs = 0, threes = 0, fours = 0;
    for (std::size_t group = 0; group < active; group += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, out.reels.data() + group, sizeof word);
        for (word &= kReelTwoInEveryLane; word != 0; word &= word - 1) {
            const std::size_t lane = group + static_cast<std::size_t>(std::countr_zero(word)) / 8;
            if (lane >= active) break;
            const Paid paid = kPaid[first[lane]][out.reels[lane]];
            out.run[lane] = paid.run;
            out.pay[lane] = paid.pay;
            coins += paid.pay;
            pairs |= static_cast<std::uint32_t>(paid.run >= 2) << lane;
            threes |= static_cast<std::uint32_t>(paid.run >= 3) << lane;
            fours |= static_cast<std::uint32_t>(paid.run >= 4) << lane;
        }
    }
    if (at[0]->wildcell != 0) [[unlikely]] {
        coins = 0;
        pairs = threes = fours = 0;
        for (std::size_t lane = 0; lane < active; ++lane) {
            if (first[lane] == kWild) wildOnReelOne(out, at, lane);
            coins += out.pay[lane];
            pairs |= static_cast<std::uint32_t>(out.run[lane] >= 2) << lane;
            threes |= static_cast<std::uint32_t>(out.run[lane] >= 3) << lane;
            fours |= static_cast<std::uint32_t>(out.run[lane] >= 4) << lane;
        }
    }
    out.linebet = linebet;
    out.linewin = coins * linebet;

    // The multiplier's test: a wild on reel 2 in a paid run, on reel 3 in a
    // run of three or more, on reel 4 in a run of four or more.
    out.wildinrun = ((pairs & kLinesAtCell[static_cast<std::size_t>(out.wildcell[1])]) |
                     (threes & kLinesAtCell[static_cast<std::size_t>(out.wildcell[2])]) |
                     (fours & kLinesAtCell[static_cast<std::size_t>(out.wildcell[3])])) != 0;

    out.scatterwin = scatterWin(out.scattercount, lines, linebet);
    out.spinwin = out.scatterwin + out.linewin;
    return out;
}

}  // namespace velmoran
