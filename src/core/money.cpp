#include "core/money.h"

#include <cstdlib>

namespace velmoran {

std::string coinForm(std::int32_t cents) {
    return std::to_string(cents);
}

std::string dollarForm(std::int32_t cents) {
    // Exact integer arithmetic gives the same text as the shortest form of
    // cents / 100 for every 32-bit amount, without any locale in the way.
    const std::int64_t value = cents;
    const std::int64_t magnitude = std::llabs(value);
    std::string text = "$ ";
    if (value < 0) text += '-';
    text += std::to_string(magnitude / 100);
    const auto fraction = static_cast<int>(magnitude % 100);
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

}  // namespace velmoran
