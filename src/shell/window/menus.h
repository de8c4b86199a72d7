#pragma once
// The main window's menu bar: five entries, in the cabinet's dress.

#include <map>

#include "core/elements.h"

class QAction;
class QMenuBar;

namespace velmoran::shell {

// Fills the bar with the entries, each named after its element.
[[nodiscard]] std::map<Element, QAction*> buildMenus(QMenuBar* bar);

}  // namespace velmoran::shell
