#pragma once
// The lifetime statistics of the options window: the two derived figures
// and the captions of the six statistics labels and of `lblcurrentplayer`.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmoran::players {

// The occasions on which the options window writes its labels. The captions
// differ between them in their spacing.
enum class Occasion : std::uint8_t {
    Opening,        // the window opens
    SlotChoice,     // a slot is chosen (also while opening)
    DeleteDetails,  // the counters were just cleared
    NameEntered,    // Enter in the name box; only lblcurrentplayer changes
};

struct Figures {
    std::int32_t games = 0;
    std::int32_t wager = 0;
    std::int32_t total = 0;
    std::int32_t bank = 0;
    std::int32_t amountinvested = 0;
};

// Winning/losing: bank less the money invested; none when it leaves 32 bits.
[[nodiscard]] std::optional<std::int32_t> winningLosing(std::int32_t bank, std::int32_t amountinvested);

// Returned to player in whole per cent, rounded down; none when nothing was
// wagered.
[[nodiscard]] std::optional<std::int64_t> returnedPercent(std::int32_t total, std::int32_t wager);

// A caption that is absent leaves the label as it was.
struct StatisticsCaptions {
    std::optional<std::string> lblgames, lblwager, lbltotalwon, lblwinlose, lblreturned, lblinvested;
};

// The six labels for the occasion (NameEntered writes none of them).
[[nodiscard]] StatisticsCaptions statisticsCaptions(const Figures& f, Occasion occasion);

// lblcurrentplayer: the occasion's prefix and the name in capitals.
[[nodiscard]] std::string currentPlayerCaption(Occasion occasion, std::int32_t games, std::string_view name);

}  // namespace velmoran::players
