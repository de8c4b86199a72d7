#pragma once
// The window's three font families, mapped onto embedded faces with close
// metrics, and fonts sized for a screen of 96 pixels per inch.

#include <QFont>

namespace velmoran::shell {

// Loads the embedded faces and maps the layout's family names onto them.
// Safe to call more than once. The pictures use the same faces.
void installFonts();

// A font of the layout: family, size in points as drawn at 96 pixels per
// inch (so 9.75 points is 13 pixels on every screen), weight.
[[nodiscard]] QFont layoutFont(const char* family, double points, bool bold);

inline constexpr const char* kComic = "Comic Sans MS";
inline constexpr const char* kTimes = "Times New Roman";
inline constexpr const char* kSans = "MS Sans Serif";

}  // namespace velmoran::shell
