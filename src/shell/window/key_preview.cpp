#include "shell/window/key_preview.h"

#include <QApplication>
#include <QKeyEvent>

#include "core/machine.h"
#include "shell/window/main_window.h"

namespace velmoran::shell {

KeyPreview::KeyPreview(MainWindow& window) : window_(window) {
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() {
    qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* e) {
    Machine* machine = window_.machine();
    if (e->type() != QEvent::KeyPress || !window_.keyPreview() || forwarding_ || machine == nullptr ||
        window_.hasShutDown())
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    // Keys of this window only, and none while it is disabled.
    if (w == nullptr || w->window() != &window_ || !window_.client()->isEnabled()) return false;
    // A key an element ignores travels on to its parents: the handler sees
    // it once, at its first receiver.
    QWidget* first = QApplication::focusWidget();
    if (w != (first != nullptr ? first : static_cast<QWidget*>(&window_))) return false;
    auto* key = static_cast<QKeyEvent*>(e);
    const QString text = key->text();
    if (text.isEmpty()) return false;  // no character: arrows, shifts, function keys
    const char16_t ch = text.at(0).unicode();
    if (ch > 255) return false;
    std::int16_t keyascii = static_cast<std::int16_t>(ch);
    const std::int16_t before = keyascii;
    machine->Form_KeyPress(keyascii);
    if (keyascii == 0) return true;
    if (keyascii == before) {
        // A space that reached the handler has done its work there: handing
        // it on would press the focused button a second time.
        return before == 32;
    }
    if (keyascii == 32) {
        // A replaced key goes on to the focused element as a space.
        QWidget* target = QApplication::focusWidget();
        if (target != nullptr && target->window() == &window_) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            forwarding_ = true;  // the handler has seen this key already
            QCoreApplication::sendEvent(target, &press);
            QCoreApplication::sendEvent(target, &release);
            forwarding_ = false;
        }
        return true;
    }
    return true;
}

}  // namespace velmoran::shell
