// Money forms and the checked arithmetic every handler relies on.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>

#include "core/checked.h"
#include "core/machine_state.h"
#include "core/money.h"

namespace velmoran {
namespace {

TEST(MoneyForms, CoinFormIsAPlainInteger) {
    EXPECT_EQ(coinForm(1250), "1250");
    EXPECT_EQ(coinForm(0), "0");
    EXPECT_EQ(coinForm(-200), "-200");
    EXPECT_EQ(coinForm(2147483647), "2147483647");
}

TEST(MoneyForms, DollarFormIsTheShortestDecimal) {
    EXPECT_EQ(dollarForm(1250), "$ 12.5");
    EXPECT_EQ(dollarForm(20), "$ 0.2");
    EXPECT_EQ(dollarForm(5000), "$ 50");
    EXPECT_EQ(dollarForm(1), "$ 0.01");
    EXPECT_EQ(dollarForm(0), "$ 0");
    EXPECT_EQ(dollarForm(5020), "$ 50.2");
    EXPECT_EQ(dollarForm(105), "$ 1.05");
    EXPECT_EQ(dollarForm(-350), "$ -3.5");
    EXPECT_EQ(dollarForm(std::numeric_limits<std::int32_t>::max()), "$ 21474836.47");
    EXPECT_EQ(dollarForm(std::numeric_limits<std::int32_t>::min()), "$ -21474836.48");
}

TEST(MoneyForms, DollarFormIgnoresTheLocale) {
    // A locale with a decimal comma must not change the meters.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(dollarForm(1250), "$ 12.5");
    std::setlocale(LC_ALL, "C");
}

TEST(CheckedArithmetic, AStepThatLeavesItsWidthKeepsTheOldValue) {
    std::int32_t bank = 2147483647 - 10;
    EXPECT_TRUE(checked::add(bank, 10));
    EXPECT_EQ(bank, 2147483647);
    EXPECT_FALSE(checked::add(bank, 20));
    EXPECT_EQ(bank, 2147483647);
    std::int32_t low = std::numeric_limits<std::int32_t>::min();
    EXPECT_FALSE(checked::sub(low, 1));
    EXPECT_EQ(low, std::numeric_limits<std::int32_t>::min());
    std::int16_t counter = 32767;
    EXPECT_FALSE(checked::add(counter, 1));
    EXPECT_EQ(counter, 32767);
    // Both ends of the width are values like any other.
    EXPECT_TRUE(checked::sub(counter, 65535));
    EXPECT_EQ(counter, -32768);
    EXPECT_FALSE(checked::sub(counter, 1));
    std::int32_t atrisk = 1'500'000'000;
    EXPECT_FALSE(checked::mul(atrisk, 2));
    EXPECT_EQ(atrisk, 1'500'000'000);
    EXPECT_TRUE(checked::mul(atrisk, 1));
    std::int16_t product = 7;
    EXPECT_FALSE(checked::product16(product, 200, 200));
    EXPECT_EQ(product, 7);
}

TEST(TotalBet, IsLinebetTimesLines) {
    MachineState s;
    EXPECT_EQ(s.totalBet(), 0);  // before the first game
    s.linebet = 20;
    s.lines = 25;
    EXPECT_EQ(s.totalBet(), 500);
    s.linebet = 1;
    s.lines = 1;
    EXPECT_EQ(s.totalBet(), 1);
}

}  // namespace
}  // namespace velmoran
