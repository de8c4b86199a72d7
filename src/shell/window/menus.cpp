#include "shell/window/menus.h"

#include <QAction>
#include <QMenuBar>
#include <array>
#include <utility>

#include "shell/window/board.h"
#include "shell/window/widgets.h"

namespace velmoran::shell {

std::map<Element, QAction*> buildMenus(QMenuBar* bar) {
    static constexpr std::array<std::pair<Element, const char*>, 5> kMenus{{
        {Element::mnuabout, "&about"},
        {Element::mnuzerocredit, "&Zero Credit"},
        {Element::mnuptble, "&Paytable"},
        {Element::mnuplayer, "Options"},
        {Element::mnuexit, "&exit"},
    }};
    bar->setNativeMenuBar(false);
    dressMenuBar(bar);
    std::map<Element, QAction*> out;
    for (const auto& [e, caption] : kMenus) {
        QAction* a = bar->addAction(QString::fromLatin1(caption));
        a->setObjectName(qs(info(e).name));
        out[e] = a;
    }
    return out;
}

}  // namespace velmoran::shell
