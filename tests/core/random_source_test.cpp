// The real random source: draws in [0, 1), every stop reachable, a fair
// distribution, and reels independent of each other.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "core/ports/random_source.h"
#include "support/fakes.h"

namespace velmoran {
namespace {

TEST(DrawInt, MapsTheWholeUnitIntervalOntoOneToN) {
    test::ScriptedRandom r;
    // The largest value a draw can take (1 - 2^-24) still gives n.
    const float top = 1.0F - 1.0F / 16777216.0F;
    for (const std::int16_t n : {4, 7, 22, 25}) {
        r.push(0.0F);
        EXPECT_EQ(drawInt(r, n), 1) << n;
        r.push(top);
        EXPECT_EQ(drawInt(r, n), n) << n;
        for (int k = 1; k <= n; ++k) {
            r.pushInt(k, n);
            EXPECT_EQ(drawInt(r, n), k) << k << "/" << n;
        }
    }
    EXPECT_EQ(r.reseeds, r.draws);  // every draw is preceded by its reseed
}

TEST(DrawInt, ASourceOutsideItsContractStillGivesOneToN) {
    test::ScriptedRandom r;
    for (const float x : {-0.5F, -3.0F}) {
        r.push(x);
        EXPECT_EQ(drawInt(r, 22), 1) << x;
    }
    for (const float x : {1.0F, 1.5F}) {
        r.push(x);
        EXPECT_EQ(drawInt(r, 22), 22) << x;
    }
}

TEST(SystemRandom, TwoSourcesStartFromDifferentSeeds) {
    // 4 draws of 24 bits alike by chance: 2^-96.
    SystemRandom a;
    SystemRandom b;
    std::array<float, 4> first{};
    std::array<float, 4> second{};
    for (auto& x : first) x = a.draw();
    for (auto& x : second) x = b.draw();
    EXPECT_NE(first, second);
}

TEST(SystemRandom, DrawsStayInsideTheUnitInterval) {
    SystemRandom r(7U);
    for (int i = 0; i < 100000; ++i) {
        const float x = r.draw();
        ASSERT_GE(x, 0.0F);
        ASSERT_LT(x, 1.0F);
    }
}

TEST(SystemRandom, ReseedingDoesNotRepeatTheSequence) {
    // Drawing five reels in the same millisecond must not stop them alike.
    SystemRandom r;
    std::array<std::int16_t, 5> stops{};
    int alike = 0;
    for (int game = 0; game < 1000; ++game) {
        for (auto& s : stops) s = drawInt(r, 22);
        alike += (stops[0] == stops[1] && stops[1] == stops[2] && stops[2] == stops[3] && stops[3] == stops[4]);
    }
    EXPECT_LT(alike, 3);
}

TEST(SystemRandom, AllStopsOccurWithAFairDistribution) {
    SystemRandom r(2024U);
    constexpr int kDraws = 220000;
    std::array<int, 23> counts{};
    for (int i = 0; i < kDraws; ++i) ++counts[static_cast<std::size_t>(drawInt(r, 22))];
    double chi2 = 0;
    const double expected = kDraws / 22.0;
    for (int k = 1; k <= 22; ++k) {
        EXPECT_GT(counts[static_cast<std::size_t>(k)], 0) << k;
        chi2 += std::pow(counts[static_cast<std::size_t>(k)] - expected, 2) / expected;
    }
    // 21 degrees of freedom: the 99.9th percentile is 46.8.
    EXPECT_LT(chi2, 46.8);
    EXPECT_EQ(counts[0], 0);
}

TEST(SystemRandom, ConsecutiveReelsAreIndependent) {
    // Pairs of consecutive draws over the 22 x 22 table, chi-square on 483
    // degrees of freedom (99.9th percentile about 597).
    SystemRandom r(99U);
    constexpr int kPairs = 484 * 200;
    std::array<std::array<int, 22>, 22> table{};
    for (int i = 0; i < kPairs; ++i) {
        const int a = drawInt(r, 22) - 1;
        const int b = drawInt(r, 22) - 1;
        ++table[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    }
    double chi2 = 0;
    const double expected = kPairs / 484.0;
    for (const auto& row : table)
        for (const int c : row) chi2 += (c - expected) * (c - expected) / expected;
    EXPECT_LT(chi2, 597.0);
}

}  // namespace
}  // namespace velmoran
