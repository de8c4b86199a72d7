#pragma once
// Player names are UTF-8 text. Their length is counted in characters, and
// they are shown in capitals wherever the game names the player.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmoran::players {

// The longest name a player may enter, in characters.
inline constexpr std::size_t kMaxNameLength = 12;

// Characters (code points) in a UTF-8 text; a byte that is not part of a
// well-formed sequence counts as one character.
[[nodiscard]] std::size_t nameLength(std::string_view utf8);

// The name in capitals: ASCII, Latin-1, Latin Extended-A, basic Greek and
// basic Cyrillic letters are raised; everything else is kept as it is.
[[nodiscard]] std::string upperName(std::string_view utf8);

}  // namespace velmoran::players
