#pragma once
// The program's dealings with the desktop: the screen's logical pixels per
// inch, a request for a desktop size, and opening a web address.

#include <cstdint>
#include <string_view>

namespace velmoran {

struct LinkResult {
    bool opened = false;         // false: the open operation reported failure
    std::int32_t lastError = 0;  // the system's error number when it failed
};

class DisplayEnvironment {
public:
    virtual ~DisplayEnvironment() = default;
    virtual std::int32_t pixelsPerInch() = 0;
    // Ask for a desktop of width x height pixels; 0 x 0 asks for the stored
    // default. The answer is not relied on: a refused mode leaves the desktop
    // as it is.
    virtual void requestDisplayMode(std::int32_t width, std::int32_t height) = 0;
    virtual LinkResult openLink(std::string_view address) = 0;
};

}  // namespace velmoran
