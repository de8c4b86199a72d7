#pragma once
// The pictures that make the program a desktop application: the program icon
// for the icon theme at the usual pixel sizes and as a vector drawing, and a
// screenshot of the main window for software centres. All of them come from
// the picture library and the real window, so they change with the artwork.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

namespace velmoran::desktop {

// The pixel sizes of the icon theme's fixed-size folders.
inline constexpr std::array<int, 9> kIconSizes{16, 22, 24, 32, 48, 64, 128, 256, 512};

// The program icon, `pixels` square, as the program itself draws it.
[[nodiscard]] QImage iconImage(int pixels);

// The program icon as SVG: the icon painter's own vector output, with the
// emblem's vector source in place of the picture the painter draws from it.
// Empty when the painter's output has not exactly that one picture in it.
[[nodiscard]] QByteArray scalableIcon();

// The main window just after start-up, menu bar included, for a player with
// credit on the meters. Runs the real window on the current platform with a
// store of its own in a temporary folder.
[[nodiscard]] QImage windowScreenshot();

// Writes <iconRoot>/hicolor/<N>x<N>/apps/<id>.png for every size and
// <iconRoot>/hicolor/scalable/apps/<id>.svg. Returns the files written;
// `error` says what failed otherwise.
QStringList writeIcons(const QString& iconRoot, const QString& id, QString* error);

}  // namespace velmoran::desktop
