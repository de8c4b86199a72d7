#pragma once
// The figures the pay table picture shows, produced from the pay table data
// that the evaluation pays from, so the picture cannot disagree with it.

#include <QString>
#include <QStringList>

#include "reels/symbols.h"

namespace velmoran::art {

// "5 x 1500", "4 x 600", ...: one line per run length that pays, longest
// run first, for a line-paying symbol; empty for the scatter and the wild.
[[nodiscard]] QStringList linePayLines(Symbol s);
// "2 x 1", "3 x 5", ...: scatter counts that pay, in multiples of the total bet.
[[nodiscard]] QStringList scatterPayLines();
// "3 = 10 free spins", ...: the free-spin awards by scatter count.
[[nodiscard]] QStringList freeSpinLines();
// The feature rules in a few words.
[[nodiscard]] QStringList featureRules();

}  // namespace velmoran::art
