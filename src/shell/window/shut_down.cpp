#include "shell/window/shut_down.h"

#include <QCloseEvent>

#include "core/machine.h"
#include "shell/window/aux_windows.h"
#include "shell/window/main_window.h"
#include "shell/window/window_view.h"

namespace velmoran::shell {

bool ShutDown::onClose(QCloseEvent* e) {
    std::int16_t cancel = 0;
    if (Machine* m = window_.machine())
        m->Form_QueryUnload(cancel, e->spontaneous() ? UnloadMode::ControlMenu : UnloadMode::Code);
    if (cancel != 0) {
        e->ignore();
        return false;
    }
    done_ = true;
    view_.windDown();
    window_.payTable()->hide();
    window_.about()->hide();
    e->accept();
    return true;
}

}  // namespace velmoran::shell
