#pragma once
// The main window `velmoran`, composed of its parts: the board (every element
// at its place in the layout table), the menu bar, the view through which the
// game drives all of it, the key preview and the shut-down. The pay table and
// About windows belong to it.

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>

#include "shell/window/board.h"

class QAction;

namespace velmoran {
class GameView;
class Machine;
namespace art {
class Library;
}
namespace audio {
class CuePlayer;
}
}  // namespace velmoran

namespace velmoran::shell {

class Backdrop;
class ReelWindow;
class PayTableWindow;
class AboutWindow;
class WindowView;
class KeyPreview;
class ShutDown;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 646;
    static constexpr int kClientHeight = 476;

    MainWindow(const art::Library& art, audio::CuePlayer& cues);
    ~MainWindow() override;

    // The game this window shows; set once, right after the Machine is made.
    void attach(Machine& machine);
    // What the game drives the window through.
    [[nodiscard]] GameView& view() noexcept;

    // Start-up: the font check, then the window on screen, then
    // `afterShown` (the program loads its sounds there), then the load steps
    // with their pause. False when the program must end.
    bool start(const std::function<void()>& afterShown = {});
    // Where the sounds go from now on.
    void setCuePlayer(audio::CuePlayer& cues);

    [[nodiscard]] Machine* machine() const noexcept { return machine_; }
    // The widget of an element (nullptr when it has none: strips, strokes, timers).
    [[nodiscard]] QWidget* widget(El e) const { return board_.widget(e); }
    [[nodiscard]] ReelWindow* reelWindow(int reel) const;
    [[nodiscard]] Backdrop* backdrop() const noexcept { return board_.backdrop; }
    [[nodiscard]] QWidget* client() const;
    [[nodiscard]] PayTableWindow* payTable() const noexcept { return pays_; }
    [[nodiscard]] AboutWindow* about() const noexcept { return about_; }
    [[nodiscard]] QAction* menuAction(Element e) const;
    [[nodiscard]] bool timerActive(Timer t) const;
    [[nodiscard]] bool keyPreview() const;
    // The window has closed for good (and reported `closed`).
    [[nodiscard]] bool hasShutDown() const;

Q_SIGNALS:
    // The window has closed and the program should end.
    void closed();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void connectControls();

    const art::Library& art_;
    Machine* machine_ = nullptr;
    Board board_;
    std::map<Element, QAction*> menus_;
    PayTableWindow* pays_ = nullptr;
    AboutWindow* about_ = nullptr;
    std::unique_ptr<WindowView> view_;
    std::unique_ptr<ShutDown> shutDown_;
    std::unique_ptr<KeyPreview> keys_;
};

}  // namespace velmoran::shell
