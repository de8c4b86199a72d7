#pragma once
// The main window's client area made from the layout table: the backdrop,
// and the widget of every element by its name.

#include <QString>
#include <array>
#include <map>
#include <string_view>

#include "core/elements.h"

class QWidget;

namespace velmoran::art {
class Library;
}

namespace velmoran::shell {

class Backdrop;
class ReelWindow;

struct Board {
    Backdrop* backdrop = nullptr;
    std::map<El, QWidget*> widgets;
    std::array<ReelWindow*, 5> reels{};

    // The widget of an element (nullptr when it has none: strips, strokes, timers).
    [[nodiscard]] QWidget* widget(El e) const;
};

// Makes every element of the layout inside `owner`, which takes the backdrop
// as its central widget.
[[nodiscard]] Board buildBoard(QWidget* owner, const art::Library& art);

// Player names are UTF-8; every other caption is plain ASCII.
[[nodiscard]] QString qs(std::string_view s);
// The element's name as its widget's object name: play(3), notes, ...
[[nodiscard]] QString elementName(El e);
// A caption on a label (which may size itself to it) or a button.
void setCaptionOf(QWidget* w, const QString& text);

}  // namespace velmoran::shell
