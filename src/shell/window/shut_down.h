#pragma once
// The end of the main window. The machine has its say first: the close box
// (a close the window system delivers) is refused while an auxiliary window
// has disabled the main one; a close the program asks for (the exit menu, the
// end of the session, a termination signal) never is. Then nothing of the
// game runs again and the auxiliary windows go with the main window, without
// their own closing steps.

class QCloseEvent;

namespace velmoran::shell {

class MainWindow;
class WindowView;

class ShutDown {
public:
    ShutDown(MainWindow& window, WindowView& view) : window_(window), view_(view) {}

    // Answers the window's close event: true when the window closes.
    bool onClose(QCloseEvent* e);
    // The shut-down has run (it runs once).
    [[nodiscard]] bool done() const noexcept { return done_; }

private:
    MainWindow& window_;
    WindowView& view_;
    bool done_ = false;
};

}  // namespace velmoran::shell
