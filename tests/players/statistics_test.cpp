// The statistics labels of the options window and their derived figures.
#include <gtest/gtest.h>

#include "players/statistics.h"

namespace velmoran::test {
namespace {

using players::currentPlayerCaption;
using players::Figures;
using players::Occasion;
using players::statisticsCaptions;

// A prefix followed by `blanks` spaces, as the captions line up on screen.
std::string padded(std::string_view text, std::size_t blanks) {
    return std::string(text) + std::string(blanks, ' ');
}

TEST(ReturnedPercent, RoundsDownAndNeedsAWager) {
    EXPECT_EQ(players::returnedPercent(150, 200), 75);
    EXPECT_EQ(players::returnedPercent(250, 200), 125);
    EXPECT_EQ(players::returnedPercent(1, 3), 33);
    EXPECT_EQ(players::returnedPercent(2, 3), 66);
    EXPECT_EQ(players::returnedPercent(29, 100), 29);
    EXPECT_EQ(players::returnedPercent(57, 100), 57);
    EXPECT_EQ(players::returnedPercent(0, 500), 0);
    EXPECT_EQ(players::returnedPercent(-1, 3), -34);
    // Figures typed into the file by hand may be negative: still toward minus infinity.
    EXPECT_EQ(players::returnedPercent(-3, 3), -100);
    EXPECT_EQ(players::returnedPercent(1, -3), -34);
    EXPECT_EQ(players::returnedPercent(-1, -3), 33);
    EXPECT_EQ(players::returnedPercent(2147483647, 1), 214748364700);
    EXPECT_EQ(players::returnedPercent(5, 0), std::nullopt);
}

TEST(WinningLosing, SignedAndSkippedWhenOutOfRange) {
    EXPECT_EQ(players::winningLosing(300, 500), -200);
    EXPECT_EQ(players::winningLosing(0, -5000), 5000);
    EXPECT_EQ(players::winningLosing(2147483647, -1), std::nullopt);
    EXPECT_EQ(players::winningLosing(-2147483647 - 1, 1), std::nullopt);
    // The ends of the width themselves are shown.
    EXPECT_EQ(players::winningLosing(2147483647, 0), 2147483647);
    EXPECT_EQ(players::winningLosing(-1, 2147483647), -2147483647 - 1);
}

TEST(StatisticsCaptions, WithGamesTheFiguresFollowTheirPrefixes) {
    const Figures f{40, 200, 150, 300, 500};
    for (auto occasion : {Occasion::Opening, Occasion::SlotChoice}) {
        const auto c = statisticsCaptions(f, occasion);
        EXPECT_EQ(c.lblgames, padded("Games Played", 12) + "40");
        EXPECT_EQ(c.lblwager, padded("Total Wagered", 11) + "200");
        EXPECT_EQ(c.lbltotalwon, padded("Total Won", 19) + "150");
        EXPECT_EQ(c.lblwinlose, padded("Winning/Losing", 11) + "-200");
        EXPECT_EQ(c.lblreturned, padded("Returned To Player     %", 1) + "75");
        EXPECT_EQ(c.lblinvested, padded("Total Invested", 13) + "500");
    }
}

TEST(StatisticsCaptions, WithoutGamesNoFiguresAndTheSpacingOfTheOccasion) {
    const Figures f{0, 0, 0, 20, 20};
    const auto open = statisticsCaptions(f, Occasion::Opening);
    EXPECT_EQ(open.lblgames, padded("Games Played", 6));
    EXPECT_EQ(open.lblwager, padded("Total Wagered", 5));
    EXPECT_EQ(open.lbltotalwon, padded("Total Won", 6));
    EXPECT_EQ(open.lblwinlose, padded("Winning/Losing", 5));
    EXPECT_EQ(open.lblreturned, padded("Returned To Player", 5));
    EXPECT_EQ(open.lblinvested, padded("Total Invested", 6));
    const auto slot = statisticsCaptions(f, Occasion::SlotChoice);
    EXPECT_EQ(slot.lblgames, padded("Games Played", 10));
    EXPECT_EQ(slot.lblwager, padded("Total Wagered", 9));
    EXPECT_EQ(slot.lbltotalwon, padded("Total Won", 10));
    EXPECT_EQ(slot.lblwinlose, padded("Winning/Losing", 6));
    EXPECT_EQ(slot.lblreturned, padded("Returned To Player", 1));
    EXPECT_EQ(slot.lblinvested, padded("Total Invested", 5));
}

TEST(StatisticsCaptions, AfterDeleteDetailsZerosAndAnEmptyPercentage) {
    const auto c = statisticsCaptions(Figures{}, Occasion::DeleteDetails);
    EXPECT_EQ(c.lblgames, padded("Games Played", 12) + "0");
    EXPECT_EQ(c.lblwager, padded("Total Wagered", 11) + "0");
    EXPECT_EQ(c.lbltotalwon, padded("Total Won", 19) + "0");
    EXPECT_EQ(c.lblwinlose, padded("Winning/Losing", 11) + "0");
    EXPECT_EQ(c.lblreturned, padded("Returned To Player     %", 1));
    EXPECT_EQ(c.lblinvested, padded("Total Invested", 13) + "0");
}

TEST(StatisticsCaptions, UncomputableFiguresLeaveTheirLabels) {
    const auto c = statisticsCaptions(Figures{3, 0, 10, 2147483647, -1}, Occasion::SlotChoice);
    EXPECT_FALSE(c.lblreturned.has_value());
    EXPECT_FALSE(c.lblwinlose.has_value());
    EXPECT_EQ(c.lblgames, padded("Games Played", 12) + "3");
    EXPECT_EQ(c.lblinvested, padded("Total Invested", 13) + "-1");
    const auto none = statisticsCaptions(Figures{3, 0, 10, 0, 0}, Occasion::NameEntered);
    EXPECT_FALSE(none.lblgames || none.lblwager || none.lbltotalwon || none.lblwinlose || none.lblreturned ||
                 none.lblinvested);
}

TEST(CurrentPlayerCaption, PrefixOfEachOccasionAndTheNameInCapitals) {
    EXPECT_EQ(currentPlayerCaption(Occasion::Opening, 0, "ann"), padded("Current Player", 4) + "ANN");
    EXPECT_EQ(currentPlayerCaption(Occasion::Opening, 9, "ann"), padded("Current Player", 4) + "ANN");
    EXPECT_EQ(currentPlayerCaption(Occasion::SlotChoice, 0, "ann"), padded("Current Player", 4) + "ANN");
    EXPECT_EQ(currentPlayerCaption(Occasion::SlotChoice, 9, "ann"), padded("Current Player", 3) + "ANN");
    EXPECT_EQ(currentPlayerCaption(Occasion::DeleteDetails, 0, "ann"), padded("Current Player", 3) + "ANN");
    EXPECT_EQ(currentPlayerCaption(Occasion::NameEntered, 9, "ann"), padded("Current Player", 2) + "ANN");
    EXPECT_EQ(currentPlayerCaption(Occasion::Opening, 0, ""), padded("Current Player", 4));
}

}  // namespace
}  // namespace velmoran::test
