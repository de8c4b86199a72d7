#pragma once
// What a press of each control of the program's windows does: the machine's
// handler it reaches. The buttons of the layout, the menu entries and the
// buttons of the pay table and About windows all come here.

#include "core/elements.h"

namespace velmoran {
class Machine;
}

namespace velmoran::shell {

// Runs the handler of the pressed element; an element without one (a card of
// the history, say) does nothing.
void press(Machine& machine, El e);

}  // namespace velmoran::shell
