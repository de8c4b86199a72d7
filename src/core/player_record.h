#pragma once
// PlayerRecord: the eight values of a player that the settings store keeps,
// named after their keys.

#include <cstdint>
#include <string>

namespace velmoran {

struct PlayerRecord {
    std::int16_t winroll = 0;
    std::int16_t reelspeed = 0;
    std::int32_t amountinvested = 0;
    std::int32_t wager = 0;
    std::int32_t total = 0;
    std::int32_t bank = 0;
    std::int32_t games = 0;
    std::string currentplayer;

    friend bool operator==(const PlayerRecord&, const PlayerRecord&) = default;
};

}  // namespace velmoran
