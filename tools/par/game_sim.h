#pragma once
// The whole game without the screen: paid spins, the re-spin rule, held
// wilds and free-spin sequences with their multiplier and retriggers, each
// outcome valued by the machine's own evaluation. It draws its random
// numbers in the order the machine does (stops, the multiplier of a free
// spin, the re-spin decision), so fed the same stream it plays the same
// games.

#include <pcg_random.hpp>

#include <array>
#include <cstdint>
#include <random>

#include "core/checked.h"
#include "reels/outcome.h"
#include "reels/paytable.h"
#include "reels/strips.h"

namespace velmoran::par {

// A whole number from 1 to n out of a uniform r in [0, 1), formed as the
// machine forms it: Int(r x n) + 1 with the product in single precision.
// The product is never negative, so truncation is Int.
[[nodiscard]] inline std::int16_t wholeFrom(float r, std::int16_t n) noexcept {
    const float product = r * static_cast<float>(n);
    int k = product > 0.0F ? static_cast<int>(product) + 1 : 1;
    if (k > n) k = n;
    return static_cast<std::int16_t>(k);
}

// One reproducible stream of the program's draws: 24 random bits as
// k / 2^24, exact in single precision. Streams of different numbers are
// independent: each has its own PCG sequence and its own starting state,
// both derived from the seed and the stream number.
class PcgDraws {
public:
    PcgDraws(std::uint64_t seed, std::uint64_t stream) {
        std::seed_seq seq{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32U),
                          static_cast<std::uint32_t>(stream), static_cast<std::uint32_t>(stream >> 32U)};
        std::array<std::uint32_t, 4> words{};
        seq.generate(words.begin(), words.end());
        const auto state = (static_cast<std::uint64_t>(words[0]) << 32U) | words[1];
        const auto sequence = (static_cast<std::uint64_t>(words[2]) << 32U) | words[3];
        engine_ = pcg32(state, sequence);
    }
    [[nodiscard]] float next() noexcept { return static_cast<float>(engine_() >> 8U) * (1.0F / 16777216.0F); }
    std::int16_t operator()(std::int16_t n) noexcept { return wholeFrom(next(), n); }

private:
    pcg32 engine_;
};

// The free-spin multiplier for a draw of 1 to 25.
[[nodiscard]] constexpr std::int16_t multiplierFor(std::int16_t draw) noexcept {
    return draw == 1 ? 10 : draw <= 5 ? 5 : draw <= 14 ? 3 : 2;
}

// One paid game from its play button to the end of the free-spin sequence it
// may start (the collect).
struct GameRecord {
    std::int64_t win = 0;             // cents: every standing spin of the game
    std::int32_t paidlinewin = 0;     // the paid spin's line pays
    std::int32_t paidscatterwin = 0;  // the paid spin's scatter pay
    std::int64_t sequencewin = 0;     // what the collect pays, the triggering spin included
    std::int32_t spins = 0;           // standing spins, the paid one included
    std::int32_t respins = 0;         // outcomes the re-spin rule withdrew
    std::int32_t freespins = 0;       // free spins played after the trigger
    std::int32_t retriggers = 0;
};

class GameSimulator {
public:
    GameSimulator(std::int16_t lines, std::int16_t linebet) noexcept : lines_(lines), linebet_(linebet) {}

    // Plays one paid game and its sequence. Reels held by the last spin of
    // the previous game stay held, as on the machine.
    template <class Draws>
    GameRecord play(Draws& draw) noexcept {
        GameRecord game;
        std::int16_t total = 0;   // freespinstotal
        std::int16_t played = 0;  // freespinsplayed
        for (;;) {
            const bool multiplied = played > 0 || played == total - 1;
            std::int32_t win = 0;
            game.respins += spin(draw, multiplied, win);
            ++game.spins;
            game.win += win;
            if (game.spins == 1) {
                game.paidlinewin = last_.linewin;
                game.paidscatterwin = last_.scatterwin;
            }
            if (last_.scattercount >= 3) {
                if (game.spins > 1) ++game.retriggers;
                checked::add(total, scatterPay(last_.scattercount).added);
            }
            if (played >= total) return game;  // a paid spin settled at once
            checked::add(played, 1);
            game.sequencewin += win;
            if (played == total) {
                game.freespins = total - 1;
                return game;
            }
        }
    }

    // One spin drawn afresh with nothing held and no multiplier, and the
    // outcome that stands after the re-spin rule: what a paid game's spin
    // is when no wild is held. Returns the re-spins it took.
    template <class Draws>
    std::int32_t freshSpin(Draws& draw, std::int32_t& win) noexcept {
        holds_ = 0;
        return spin(draw, false, win);
    }

    // What the last spin that stood showed, before any multiplier.
    struct Spin {
        std::int32_t linewin = 0;
        std::int32_t scatterwin = 0;
        std::int16_t scattercount = 0;
    };
    [[nodiscard]] const Spin& last() const noexcept { return last_; }
    [[nodiscard]] std::uint8_t holds() const noexcept { return holds_; }

private:
    // Spins until an outcome stands; returns the outcomes withdrawn.
    template <class Draws>
    std::int32_t spin(Draws& draw, bool multiplied, std::int32_t& win) noexcept {
        std::int32_t withdrawn = 0;
        for (;;) {
            const std::uint8_t held = holds_;
            for (std::size_t r = 0; r < kReels; ++r)
                if (((held >> r) & 1U) == 0) stops_[r] = draw(kStops);
            const Outcome outcome = evaluateOutcome(stops_, lines_, linebet_);
            win = outcome.spinwin;
            if (multiplied) {
                const std::int16_t multiplier = multiplierFor(draw(25));
                if (outcome.wildinrun) checked::mul(win, multiplier);
            }
            const bool stands = draw(7) == 1 || outcome.scattercount >= 3 || held != 0 || win <= 0;
            if (stands) {
                // A reel that rests on its wild is held once; a held reel is
                // let go after its spin.
                holds_ = static_cast<std::uint8_t>(outcome.wildreels & ~held & kHoldable);
                last_ = {outcome.linewin, outcome.scatterwin, outcome.scattercount};
                return withdrawn;
            }
            holds_ = 0;
            ++withdrawn;
        }
    }

    static constexpr std::uint8_t kHoldable = 0b01110;  // reels 2, 3 and 4

    std::int16_t lines_;
    std::int16_t linebet_;
    ReelStops stops_{1, 1, 1, 1, 1};
    std::uint8_t holds_ = 0;
    Spin last_;
};

}  // namespace velmoran::par
