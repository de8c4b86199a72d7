// The par sheet's exact figures: the enumeration against sums worked out
// reel by reel from the strips and the pay table, and against spins sampled
// with the re-spin rule; the win bins.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "figures.h"
#include "game_sim.h"
#include "reels/paylines.h"
#include "reels/strips.h"
#include "report.h"

namespace velmoran::test {
namespace {

using par::BaseFigures;

// Outcomes (out of 22^5) whose line L pays `symbol` for exactly `run`
// reels, counted per reel: reel 1 shows the symbol, reels 2 to run show it
// or the wild, the next reel does not.
std::int64_t runOutcomes(int line, Symbol symbol, int run) {
    std::int64_t count = 1;
    for (int reel = 1; reel <= kReels; ++reel) {
        int matching = 0;
        for (int stop = 1; stop <= kStops; ++stop) {
            const Symbol shown = symbolAt(reel, stop, paylineRow(line, reel));
            matching += shown == symbol || (reel > 1 && shown == Symbol::Emblem);
        }
        count *= reel <= run ? matching : reel == run + 1 ? kStops - matching : kStops;
    }
    return count;
}

// Outcomes by scatter count: each reel shows a scatter at some of its stops.
std::array<std::int64_t, 6> scatterOutcomes() {
    std::array<std::int64_t, 6> count{1};
    for (int reel = 1; reel <= kReels; ++reel) {
        int with = 0;
        for (int stop = 1; stop <= kStops; ++stop)
            with += symbolAt(reel, stop, 1) == Symbol::Tepee || symbolAt(reel, stop, 2) == Symbol::Tepee ||
                    symbolAt(reel, stop, 3) == Symbol::Tepee;
        for (int k = 5; k >= 0; --k)
            count[static_cast<std::size_t>(k)] = count[static_cast<std::size_t>(k)] * (kStops - with) +
                                                 (k > 0 ? count[static_cast<std::size_t>(k - 1)] * with : 0);
    }
    return count;
}

struct Mean {
    double n = 0, sum = 0, squares = 0;
    void add(double x) {
        n += 1;
        sum += x;
        squares += x * x;
    }
    [[nodiscard]] double mean() const { return sum / n; }
    [[nodiscard]] double standardError() const { return std::sqrt((squares / n - mean() * mean()) / n); }
};

TEST(ParFigures, EnumerationAgreesWithReelCountsAndWithSampledSpins) {
    const std::int16_t lines = 25;
    const BaseFigures exact = par::enumerateBase(lines);
    ASSERT_EQ(exact.outcomes, 5'153'632U);

    // Before the re-spin rule every figure is a plain sum, so it must agree
    // to the coin with the reel-by-reel counts.
    const auto scatters = scatterOutcomes();
    std::int64_t expectedWin = 0;
    for (int count = 0; count <= 5; ++count) {
        const auto c = static_cast<std::size_t>(count);
        EXPECT_EQ(exact.scatters[c], static_cast<std::uint64_t>(scatters[c])) << count << " scatters";
        EXPECT_EQ(exact.scatterwin[c], scatters[c] * scatterPay(count).factor * lines) << count << " scatters";
        expectedWin += scatters[c] * scatterPay(count).factor * lines;
    }
    for (int sym = 1; sym <= kLineSymbols; ++sym) {
        const auto symbol = static_cast<Symbol>(sym);
        for (int run = 2; run <= 5; ++run) {
            std::int64_t coins = 0;
            for (int line = 1; line <= lines; ++line) coins += runOutcomes(line, symbol, run) * linePay(symbol, run);
            EXPECT_EQ(exact.linewin[static_cast<std::size_t>(sym)][static_cast<std::size_t>(run)], coins)
                << name(symbol) << " x" << run;
            expectedWin += coins;
        }
    }
    EXPECT_EQ(exact.win, expectedWin);

    // After the rule, a paid spin with nothing held is what the simulator
    // plays afresh: the exact figures must lie within the sampling error.
    par::GameSimulator machine(lines, 1);
    par::PcgDraws draw(2024, 0);
    Mean win, hit, respins, trigger;
    for (int spin = 0; spin < 300'000; ++spin) {
        std::int32_t cents = 0;
        respins.add(machine.freshSpin(draw, cents));
        win.add(cents / static_cast<double>(lines));
        hit.add(cents > 0);
        trigger.add(machine.last().scattercount >= 3);
    }
    const auto near = [](const Mean& sampled, double expected, const char* what) {
        EXPECT_NEAR(sampled.mean(), expected, 4.5 * sampled.standardError()) << what;
    };
    near(win, exact.returnAfter(), "return");
    near(hit, exact.hitRateAfter(), "hit rate");
    near(respins, exact.respinsPerSpin(), "re-spins");
    near(trigger, exact.scatterAfter(3) + exact.scatterAfter(4) + exact.scatterAfter(5), "triggers");
    EXPECT_NEAR(win.standardError() * std::sqrt(win.n), exact.sdAfter(), 0.05);
}

TEST(ParFigures, WinBins) {
    EXPECT_EQ(par::winBin(0, 25), 0U);
    EXPECT_EQ(par::winBin(12, 25), 1U);   // under half a bet
    EXPECT_EQ(par::winBin(13, 25), 2U);   // 0.52
    EXPECT_EQ(par::winBin(25, 25), 3U);   // exactly one bet opens 1 to 2
    EXPECT_EQ(par::winBin(499, 1), 10U);  // 250 to 500
    EXPECT_EQ(par::winBin(500, 1), 11U);
    EXPECT_EQ(par::binLabel(0), "no win");
    EXPECT_EQ(par::binLabel(2), "0.5 to 1");
    EXPECT_EQ(par::binLabel(11), "500 and more");
}

// The sampled figures depend on the seed and the counts, never on how the
// batches fell to the threads; another seed gives other streams.
TEST(ParFigures, SamplingIsReproducibleWhateverTheThreads) {
    par::MonteCarloConfig config;
    config.lines = 10;
    config.games = 30'000;
    config.batches = 6;
    config.threads = 1;
    const par::GameFigures one = par::simulateGames(config);
    config.threads = 3;
    const par::GameFigures three = par::simulateGames(config);
    EXPECT_EQ(one.rtp.value, three.rtp.value);
    EXPECT_EQ(one.rtp.halfwidth, three.rtp.halfwidth);
    EXPECT_EQ(one.volatility.value, three.volatility.value);
    EXPECT_EQ(one.evaluated, three.evaluated);
    config.seed = 2;
    EXPECT_NE(par::simulateGames(config).evaluated, one.evaluated);
    // The return splits into its sources, and the bins hold every game.
    EXPECT_NEAR(one.paidlines.value + one.paidscatters.value + one.freespinreturn.value, one.rtp.value, 1e-12);
    double share = 0;
    for (const double b : one.bins) share += b;
    EXPECT_NEAR(share, 1.0, 1e-12);
    EXPECT_GT(one.rtp.halfwidth, 0);
}

TEST(ParFigures, ReportsCarryTheFigures) {
    par::ParSheet sheet;
    BaseFigures part;  // reel 1 at stop 12 only: enough to report
    par::enumerateReelOneStop(25, 12, part);
    sheet.base.push_back(part);
    par::MonteCarloConfig config;
    config.games = 5000;
    config.batches = 4;
    sheet.games.push_back(par::simulateGames(config));

    const auto json = nlohmann::json::parse(par::jsonReport(sheet).dump());
    EXPECT_EQ(json["base_game_exact"][0]["lines"], 25);
    EXPECT_DOUBLE_EQ(json["base_game_exact"][0]["return_after"].get<double>(), part.returnAfter());
    EXPECT_EQ(json["base_game_exact"][0]["runs"].size(), 31U);  // every pay table entry
    EXPECT_DOUBLE_EQ(json["whole_game_monte_carlo"][0]["return"]["value"].get<double>(), sheet.games[0].rtp.value);

    const std::string text = par::textReport(sheet);
    EXPECT_NE(text.find("Return after the re-spin rule"), std::string::npos);
    EXPECT_NE(text.find("Volatility"), std::string::npos);

    const auto path = std::filesystem::temp_directory_path() / "velmoran_par_chart_test.png";
    std::string error;
    ASSERT_TRUE(par::writeChart(sheet, path.string(), error)) << error;
    std::ifstream png(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(png)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    ASSERT_GT(bytes.size(), 24U);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    const auto be32 = [&](std::size_t at) {
        return (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24U) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16U) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8U) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
    };
    EXPECT_EQ(be32(16), 1280U);  // the IHDR chunk's width and height
    EXPECT_EQ(be32(20), 760U);
    EXPECT_FALSE(par::writeChart(sheet, "/nonexistent-directory/chart.png", error));
}

}  // namespace
}  // namespace velmoran::test
