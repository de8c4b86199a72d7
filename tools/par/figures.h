#pragma once
// The par sheet's figures: the exact base game, found by valuing every stop
// combination, and the whole game, sampled with confidence intervals.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/machine_state.h"

namespace velmoran::par {

inline constexpr std::array<std::int16_t, 5> kLineCounts{1, 5, 10, 15, 25};

// Win multiples (win / total bet) are counted in these bins: no win, then
// [edge i-1, edge i) with the edges below (in halves of a total bet), and
// the last bin open to the right.
inline constexpr std::array<std::int32_t, 10> kBinEdgesHalf{1, 2, 4, 10, 20, 40, 100, 200, 500, 1000};
inline constexpr std::size_t kBins = kBinEdgesHalf.size() + 2;
[[nodiscard]] std::size_t winBin(std::int64_t win, std::int64_t totalbet) noexcept;
[[nodiscard]] std::string binLabel(std::size_t bin);

// Symbol codes 1 to 10 by run 2 to 5 (index 0 and 1 unused).
using RunTable = std::array<std::array<std::int64_t, 6>, kLineSymbols + 1>;

// Sums over all 22^5 equally likely outcomes at one line count and 1 coin a
// line. An outcome is "withdrawable" when the re-spin rule may withdraw it
// (a win with fewer than three scatters, nothing held): it then stands with
// probability 1/7, every other outcome always stands.
struct BaseFigures {
    std::int16_t lines = 0;
    std::uint64_t outcomes = 0;
    std::uint64_t wins = 0;
    std::uint64_t withdrawable = 0;
    std::int64_t win = 0;                     // coins over all outcomes
    std::int64_t withdrawablewin = 0;         // coins over the withdrawable ones
    std::array<std::uint64_t, 6> scatters{};  // outcomes by scatter count
    std::array<std::uint64_t, 6> withdrawablescatters{};
    RunTable linewin{};  // coins by symbol and run
    RunTable withdrawablelinewin{};
    std::array<std::uint64_t, 6> linehits{};   // winning lines by run (all symbols)
    std::array<std::int64_t, 6> scatterwin{};  // coins by scatter count
    std::array<std::int64_t, 6> withdrawablescatterwin{};
    std::array<std::uint64_t, kBins> bins{};
    std::array<std::uint64_t, kBins> withdrawablebins{};
    std::int64_t maxwin = 0;
    std::int64_t winsquares = 0;  // sum of squared wins
    std::int64_t withdrawablewinsquares = 0;

    void add(const BaseFigures& other) noexcept;

    // Each outcome's weight after the re-spin rule, in sevenths: 7 for one
    // that always stands, 1 for a withdrawable one.
    [[nodiscard]] std::uint64_t weightAfter() const noexcept { return 7 * (outcomes - withdrawable) + withdrawable; }
    [[nodiscard]] double totalBets() const noexcept { return static_cast<double>(outcomes) * lines; }

    [[nodiscard]] double returnBefore() const noexcept;
    [[nodiscard]] double returnAfter() const noexcept;
    [[nodiscard]] double hitRateBefore() const noexcept;
    [[nodiscard]] double hitRateAfter() const noexcept;
    // Outcomes withdrawn per paid spin that stands (nothing held).
    [[nodiscard]] double respinsPerSpin() const noexcept;
    [[nodiscard]] double scatterBefore(int count) const noexcept;
    [[nodiscard]] double scatterAfter(int count) const noexcept;
    // Share of the total bet returned by a symbol's run / a scatter count.
    [[nodiscard]] double runReturnBefore(int symbol, int run) const noexcept;
    [[nodiscard]] double runReturnAfter(int symbol, int run) const noexcept;
    [[nodiscard]] double scatterReturnAfter(int count) const noexcept;
    [[nodiscard]] double binBefore(std::size_t bin) const noexcept;
    [[nodiscard]] double binAfter(std::size_t bin) const noexcept;
    // Standard deviation of one paid spin's win, in total bets.
    [[nodiscard]] double sdBefore() const noexcept;
    [[nodiscard]] double sdAfter() const noexcept;
};

// Values every outcome at this line count. threads 0 uses every core.
[[nodiscard]] BaseFigures enumerateBase(std::int16_t lines, unsigned threads = 0);

// Adds the outcomes with reel 1 at one stop (1 to 22): the enumeration's
// unit of work.
void enumerateReelOneStop(std::int16_t lines, std::int16_t stop1, BaseFigures& into);

// A probability with its 95 % confidence half-width.
struct Estimate {
    double value = 0.0;
    double halfwidth = 0.0;
};

struct GameFigures {
    std::int16_t lines = 0;
    std::uint64_t games = 0;
    std::uint64_t seed = 0;
    std::uint32_t batches = 0;
    Estimate rtp;                      // return per total bet
    Estimate hitrate;                  // games with a win
    Estimate sequences;                // sequences per game
    Estimate freespins;                // free spins per sequence
    Estimate sequencewin;              // collected per sequence, in total bets
    Estimate respins;                  // withdrawn outcomes per standing spin
    Estimate spins;                    // standing spins per game
    Estimate volatility;               // standard deviation of a game's win, in total bets
    Estimate retriggers;               // retriggers per sequence
    Estimate paidlines;                // return from the paid spin's line pays
    Estimate paidscatters;             // return from the paid spin's scatter pays
    Estimate freespinreturn;           // return from the free spins of a sequence
    std::array<double, kBins> bins{};  // share of games by win multiple
    double maxwin = 0.0;               // the largest game seen, in total bets
    double seconds = 0.0;
    std::uint64_t evaluated = 0;  // outcomes valued (standing and withdrawn)
};

struct MonteCarloConfig {
    std::int16_t lines = 25;
    std::uint64_t games = 10'000'000;
    std::uint64_t seed = 1;
    unsigned threads = 0;        // 0: every core
    std::uint32_t batches = 64;  // streams; also the blocks of the confidence intervals
};

// Plays `games` paid games in `batches` independent streams, batch b on
// stream b of the seed, so the figures depend on the seed and the counts
// only, not on the threads.
[[nodiscard]] GameFigures simulateGames(const MonteCarloConfig& config);

}  // namespace velmoran::par
