// The constant data of the reels against the machine's tables: strips,
// weights, cells, paylines and their row lists, and the pay table.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "reels/paylines.h"
#include "reels/paytable.h"
#include "reels/strips.h"

namespace velmoran {
namespace {

TEST(Strips, CountsOverTheRestingCellsMatchTheTable) {
    // Counts per symbol (rows, codes 1 to 12) and reel over cells 1 to 24.
    const int expected[12][5] = {
        {4, 3, 3, 2, 3}, {3, 2, 1, 2, 2}, {4, 4, 4, 4, 3}, {1, 1, 3, 3, 2}, {1, 2, 3, 3, 3}, {2, 4, 2, 2, 2},
        {2, 1, 3, 2, 3}, {1, 1, 1, 1, 2}, {2, 2, 1, 2, 2}, {1, 2, 1, 1, 1}, {3, 1, 1, 1, 1}, {0, 1, 1, 1, 0},
    };
    for (int reel = 1; reel <= 5; ++reel) {
        int counts[13] = {};
        for (int cell = 1; cell <= 24; ++cell) ++counts[code(stripSymbol(reel, cell))];
        for (int sym = 1; sym <= 12; ++sym)
            EXPECT_EQ(counts[sym], expected[sym - 1][reel - 1]) << "reel " << reel << " symbol " << sym;
    }
}

TEST(Strips, WildsAndScattersRestWhereThePartsRelyOn) {
    std::vector<std::pair<int, int>> wilds, scatters;
    for (int reel = 1; reel <= 5; ++reel)
        for (int cell = 1; cell <= 24; ++cell) {
            if (stripSymbol(reel, cell) == Symbol::Emblem) wilds.emplace_back(reel, cell);
            if (stripSymbol(reel, cell) == Symbol::Tepee) scatters.emplace_back(reel, cell);
        }
    EXPECT_EQ(wilds, (std::vector<std::pair<int, int>>{{2, 2}, {3, 11}, {4, 11}}));
    EXPECT_EQ(scatters, (std::vector<std::pair<int, int>>{{1, 1}, {1, 12}, {1, 23}, {2, 9}, {3, 1}, {4, 7}, {5, 9}}));
    // Cells seen only in motion.
    EXPECT_EQ(stripSymbol(2, 25), Symbol::Emblem);
    EXPECT_EQ(stripSymbol(4, 25), Symbol::Emblem);
    EXPECT_EQ(stripSymbol(4, 0), Symbol::Tepee);
    EXPECT_EQ(stripSymbol(5, 28), Symbol::LetterQ);
}

TEST(Strips, NoStopShowsTwoScattersOnOneReel) {
    for (int reel = 1; reel <= 5; ++reel)
        for (int stop = 1; stop <= kStops; ++stop) {
            int n = 0;
            for (int row = 1; row <= 3; ++row) n += symbolAt(reel, stop, row) == Symbol::Tepee;
            EXPECT_LE(n, 1) << "reel " << reel << " stop " << stop;
        }
}

TEST(Strips, StopsShowTheirThreeCells) {
    EXPECT_EQ(symbolAt(2, 1, 1), Symbol::Headdress);
    EXPECT_EQ(symbolAt(2, 1, 2), Symbol::Emblem);
    EXPECT_EQ(symbolAt(2, 1, 3), Symbol::LetterK);
    EXPECT_EQ(symbolAt(2, 2, 1), Symbol::Emblem);
    EXPECT_EQ(symbolAt(1, 22, 1), Symbol::Chief);
    EXPECT_EQ(symbolAt(1, 22, 2), Symbol::Tepee);
    EXPECT_EQ(symbolAt(1, 22, 3), Symbol::Headdress);
    EXPECT_EQ(symbolAt(4, 11, 1), Symbol::Emblem);
    EXPECT_EQ(symbolAt(4, 9, 3), Symbol::Emblem);
    EXPECT_EQ(symbolAt(4, 22, 3), Symbol::Dreamcatcher);  // the table, not a Chief
}

TEST(Cells, SerpentineNumberingRoundTrips) {
    const int table[3][5] = {{1, 6, 7, 12, 13}, {2, 5, 8, 11, 14}, {3, 4, 9, 10, 15}};
    for (int row = 1; row <= 3; ++row)
        for (int reel = 1; reel <= 5; ++reel) {
            const int cell = cellNumber(reel, row);
            EXPECT_EQ(cell, table[row - 1][reel - 1]);
            EXPECT_EQ(cellReel(cell), reel);
            EXPECT_EQ(cellRow(cell), row);
        }
}

TEST(Weights, EverySubsetOfReelsHasItsOwnSum) {
    std::set<int> sums;
    for (int mask = 1; mask < 32; ++mask) {
        int sum = 0;
        for (int reel = 1; reel <= 5; ++reel)
            if (mask & (1 << (reel - 1))) sum += reelweight(reel);
        sums.insert(sum);
    }
    EXPECT_EQ(sums.size(), 31U);
}

TEST(Paylines, CellsMatchTheTable) {
    const int cells[25][5] = {
        {2, 5, 8, 11, 14}, {1, 6, 7, 12, 13}, {3, 4, 9, 10, 15}, {1, 5, 9, 11, 13}, {3, 5, 7, 11, 15},
        {1, 6, 8, 12, 13}, {3, 4, 8, 10, 15}, {2, 6, 7, 12, 14}, {2, 4, 9, 10, 14}, {2, 5, 7, 11, 14},
        {2, 5, 9, 11, 14}, {1, 5, 8, 11, 13}, {3, 5, 8, 11, 15}, {1, 5, 7, 11, 13}, {2, 6, 8, 12, 14},
        {3, 5, 9, 11, 15}, {2, 4, 8, 10, 14}, {1, 4, 7, 10, 13}, {3, 6, 9, 12, 15}, {2, 6, 9, 12, 14},
        {2, 4, 7, 10, 14}, {2, 6, 8, 10, 14}, {2, 4, 8, 12, 14}, {1, 6, 7, 11, 15}, {3, 4, 9, 11, 13},
    };
    for (int line = 1; line <= 25; ++line)
        for (int reel = 1; reel <= 5; ++reel) EXPECT_EQ(paylineCell(line, reel), cells[line - 1][reel - 1]) << line;
}

TEST(Paylines, RowListsMatchTheTable) {
    const std::vector<std::vector<std::vector<int>>> lists = {
        {{2, 4, 6, 12, 14, 18, 24}, {1, 8, 9, 10, 11, 15, 17, 20, 21, 22, 23}, {3, 5, 7, 13, 16, 19, 25}},
        {{2, 6, 8, 15, 19, 20, 22, 24}, {1, 4, 5, 10, 11, 12, 13, 14, 16}, {3, 7, 9, 17, 18, 21, 23, 25}},
        {{2, 5, 8, 10, 14, 18, 21, 24}, {1, 6, 7, 12, 13, 15, 17, 22, 23}, {3, 4, 9, 11, 16, 19, 20, 25}},
        {{2, 6, 8, 15, 19, 20, 23}, {1, 4, 5, 10, 11, 12, 13, 14, 16, 24, 25}, {3, 7, 9, 17, 18, 21, 22}},
        {{2, 4, 6, 12, 14, 18, 25}, {1, 8, 9, 10, 11, 15, 17, 20, 21, 22, 23}, {3, 5, 7, 13, 16, 19, 24}},
    };
    for (int reel = 1; reel <= 5; ++reel)
        for (int row = 1; row <= 3; ++row) {
            std::vector<int> got(rowList(reel, row).begin(), rowList(reel, row).end());
            EXPECT_EQ(got, lists[static_cast<std::size_t>(reel - 1)][static_cast<std::size_t>(row - 1)])
                << "reel " << reel << " row " << row;
        }
}

TEST(PayTable, RunsAndPays) {
    const std::map<int, int> runs{{15, 2}, {25, 2}, {35, 2}, {45, 2}, {21, 3}, {41, 3}, {31, 4}, {51, 5}};
    for (int c = 0; c <= 51; ++c) {
        const auto it = runs.find(c);
        EXPECT_EQ(runForCode(static_cast<std::int16_t>(c)), it == runs.end() ? 0 : it->second) << c;
    }
    EXPECT_EQ(linePay(Symbol::Chief, 5), 1500);
    EXPECT_EQ(linePay(Symbol::LetterK, 5), 175);
    EXPECT_EQ(linePay(Symbol::Headdress, 2), 2);
    EXPECT_EQ(linePay(Symbol::LetterJ, 2), 0);
    EXPECT_EQ(linePay(Symbol::Tepee, 3), 0);
    EXPECT_EQ(linePay(Symbol::Emblem, 5), 0);
    int pairs = 0;
    for (int s = 1; s <= 10; ++s) pairs += linePay(static_cast<Symbol>(s), 2) > 0;
    EXPECT_EQ(pairs, 1);
    EXPECT_EQ(scatterPay(2).factor, 1);
    EXPECT_EQ(scatterPay(5).added, 31);
    EXPECT_EQ(scatterPay(1).factor, 0);
    // 10, 20 or 30 free spins for 3, 4 or 5 scatters; the award also counts
    // the spin that won them.
    for (int n = 0; n <= 5; ++n) {
        const int shown = n >= 3 ? (n - 2) * 10 : 0;
        EXPECT_EQ(scatterPay(n).freespins, shown) << n;
        EXPECT_EQ(scatterPay(n).added, shown > 0 ? shown + 1 : 0) << n;
    }
}

}  // namespace
}  // namespace velmoran
