#include "reels/strips.h"

namespace velmoran {

namespace {
using S = Symbol;
}

// clang-format off
const std::array<Strip, 5> kStrips{{
    // reel 1
    {S::Headdress, S::Tepee, S::LetterJ, S::LetterK, S::Headdress, S::BuffaloSkull, S::LetterJ, S::Totem,
     S::Headdress, S::LetterQ, S::Moccasins, S::Headdress, S::Tepee, S::LetterJ, S::Moccasins, S::LetterQ,
     S::Maiden, S::LetterJ, S::Dreamcatcher, S::LetterK, S::BuffaloSkull, S::LetterK, S::Chief, S::Tepee,
     S::Headdress, S::Totem, S::LetterQ, S::LetterK, S::BuffaloSkull},
    // reel 2
    {S::LetterK, S::Headdress, S::Emblem, S::LetterK, S::LetterQ, S::Headdress, S::LetterJ, S::LetterQ,
     S::Moccasins, S::Tepee, S::Totem, S::Dreamcatcher, S::LetterQ, S::LetterJ, S::Maiden, S::LetterK,
     S::Headdress, S::BuffaloSkull, S::Maiden, S::LetterQ, S::LetterJ, S::Chief, S::Moccasins, S::Headdress,
     S::Totem, S::Emblem, S::LetterK, S::LetterQ, S::LetterJ},
    // reel 3
    {S::BuffaloSkull, S::Tepee, S::Headdress, S::LetterQ, S::BuffaloSkull, S::Dreamcatcher, S::LetterJ, S::Totem,
     S::BuffaloSkull, S::Moccasins, S::Dreamcatcher, S::Emblem, S::Headdress, S::BuffaloSkull, S::LetterJ, S::LetterQ,
     S::Totem, S::Chief, S::Maiden, S::Headdress, S::Totem, S::LetterJ, S::LetterK, S::Dreamcatcher,
     S::Headdress, S::Totem, S::LetterQ, S::BuffaloSkull, S::LetterK},
    // reel 4
    {S::Tepee, S::Totem, S::Dreamcatcher, S::Moccasins, S::LetterK, S::Headdress, S::Moccasins, S::Tepee,
     S::Totem, S::Dreamcatcher, S::LetterQ, S::Emblem, S::LetterJ, S::Headdress, S::LetterK, S::BuffaloSkull,
     S::Headdress, S::LetterJ, S::Chief, S::Maiden, S::Headdress, S::Totem, S::LetterQ, S::BuffaloSkull,
     S::Dreamcatcher, S::Emblem, S::LetterK, S::Totem, S::LetterJ},
    // reel 5
    {S::LetterK, S::Headdress, S::BuffaloSkull, S::LetterK, S::LetterQ, S::Dreamcatcher, S::Totem, S::LetterJ,
     S::Chief, S::Tepee, S::Totem, S::Headdress, S::Moccasins, S::LetterQ, S::Dreamcatcher, S::LetterJ,
     S::BuffaloSkull, S::Totem, S::Maiden, S::Chief, S::Moccasins, S::LetterK, S::LetterJ, S::Headdress,
     S::BuffaloSkull, S::LetterQ, S::Chief, S::Moccasins, S::LetterQ},
}};
// clang-format on

}  // namespace velmoran
