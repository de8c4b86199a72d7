// Statistics captions of the options window.
#include "players/statistics.h"

#include <limits>

#include "players/names.h"

namespace velmoran::players {

namespace {

// The prefixes carry runs of blanks that line the figures up on screen.
constexpr std::string_view kGames = "Games Played            ";
constexpr std::string_view kWager = "Total Wagered           ";
constexpr std::string_view kTotalWon = "Total Won                   ";
constexpr std::string_view kWinLose = "Winning/Losing           ";
constexpr std::string_view kReturned = "Returned To Player     % ";
constexpr std::string_view kInvested = "Total Invested             ";

std::string joined(std::string_view prefix, std::int64_t figure) {
    return std::string(prefix) + std::to_string(figure);
}

StatisticsCaptions withFigures(const Figures& f) {
    StatisticsCaptions c;
    c.lblgames = joined(kGames, f.games);
    c.lblwager = joined(kWager, f.wager);
    c.lbltotalwon = joined(kTotalWon, f.total);
    if (const auto wl = winningLosing(f.bank, f.amountinvested)) c.lblwinlose = joined(kWinLose, *wl);
    if (const auto rtp = returnedPercent(f.total, f.wager)) c.lblreturned = joined(kReturned, *rtp);
    c.lblinvested = joined(kInvested, f.amountinvested);
    return c;
}

}  // namespace

std::optional<std::int32_t> winningLosing(std::int32_t bank, std::int32_t amountinvested) {
    const std::int64_t d = static_cast<std::int64_t>(bank) - amountinvested;
    if (d < std::numeric_limits<std::int32_t>::min() || d > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(d);
}

std::optional<std::int64_t> returnedPercent(std::int32_t total, std::int32_t wager) {
    if (wager == 0) return std::nullopt;
    // Exact integer arithmetic: in binary floating point 29 / 100 * 100 comes
    // out just under 29 and would be shown as 28.
    const std::int64_t n = static_cast<std::int64_t>(total) * 100;
    const std::int64_t d = wager;
    std::int64_t q = n / d;
    if ((n % d != 0) && ((n < 0) != (d < 0))) --q;  // round toward minus infinity
    return q;
}

StatisticsCaptions statisticsCaptions(const Figures& f, Occasion occasion) {
    switch (occasion) {
        case Occasion::Opening:
            if (f.games != 0) return withFigures(f);
            return {"Games Played      ",  "Total Wagered     ",      "Total Won      ",
                    "Winning/Losing     ", "Returned To Player     ", "Total Invested      "};
        case Occasion::SlotChoice:
            if (f.games != 0) return withFigures(f);
            return {"Games Played          ", "Total Wagered         ", "Total Won          ",
                    "Winning/Losing      ",   "Returned To Player ",    "Total Invested     "};
        case Occasion::DeleteDetails: {
            auto c = withFigures(f);
            c.lblreturned = std::string(kReturned);
            return c;
        }
        case Occasion::NameEntered:
            break;
    }
    return {};
}

std::string currentPlayerCaption(Occasion occasion, std::int32_t games, std::string_view name) {
    std::string_view prefix = "Current Player    ";
    switch (occasion) {
        case Occasion::Opening:
            break;
        case Occasion::SlotChoice:
            if (games != 0) prefix = "Current Player   ";
            break;
        case Occasion::DeleteDetails:
            prefix = "Current Player   ";
            break;
        case Occasion::NameEntered:
            prefix = "Current Player  ";
            break;
    }
    return std::string(prefix) + upperName(name);
}

}  // namespace velmoran::players
