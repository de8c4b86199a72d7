#pragma once
// The two forms in which the machine shows money (whole cents).

#include <cstdint>
#include <string>

namespace velmoran {

// "1250": a plain decimal integer, no grouping.
std::string coinForm(std::int32_t cents);
// "$ 12.5": the amount in dollars in its shortest decimal form, always with
// "." whatever the locale ("$ 50", "$ 0.2", "$ 0.01", "$ 0", "$ -3.5").
std::string dollarForm(std::int32_t cents);

}  // namespace velmoran
