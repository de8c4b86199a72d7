#pragma once
// The main window `velmoran`: every element of the machine at its place, the
// menu bar, the seven timers, key preview, and the GameView through which the
// game drives all of it. The pay table and About windows belong to it.

#include <QMainWindow>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include "core/ports/game_view.h"

class QAction;
class QLabel;

namespace velmoran {
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
class PictureBox;
class PictureButton;
class ReelWindow;
class PayTableWindow;
class AboutWindow;
class OptionsWidget;

class MainWindow final : public QMainWindow, public GameView {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 646;
    static constexpr int kClientHeight = 476;

    MainWindow(const art::Library& art, audio::CuePlayer& cues);
    ~MainWindow() override;

    // The game this window shows; set once, right after the Machine is made.
    void attach(Machine& machine);

    // Start-up: the font check, then the window on screen, then
    // `afterShown` (the program loads its sounds there), then the load steps
    // with their pause. False when the program must end.
    bool start(const std::function<void()>& afterShown = {});
    // Where the sounds go from now on.
    void setCuePlayer(audio::CuePlayer& cues) { cues_ = &cues; }

    // --- GameView ---
    void setPicture(El e, Picture p) override;
    void setCaption(El e, std::string_view text) override;
    void setVisible(El e, bool visible) override;
    void setEnabled(El e, bool enabled) override;
    void setChecked(El e, bool checked) override;
    void move(El e, std::int32_t left, std::int32_t top) override;
    void resize(El e, std::int32_t width, std::int32_t height) override;
    void setLineEnds(El e, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
    void setLineColour(El e, Rgb colour) override;
    void setFocus(El e) override;
    void setKeyPreview(bool on) override;
    void bringToFront(El window) override;
    void unload(El window) override;
    void setMousePointer(MousePointer pointer) override;
    void setTimer(Timer t, bool enabled) override;
    void playsound(SoundCue cue) override;
    void playsoundlooped(SoundCue cue) override;
    void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
    void yield() override;
    void pause(std::int32_t ms) override;

    // --- for the program and its tests ---
    // The widget of an element (nullptr when it has none: strips, strokes, timers).
    [[nodiscard]] QWidget* widget(El e) const;
    [[nodiscard]] ReelWindow* reelWindow(int reel) const;
    [[nodiscard]] Backdrop* backdrop() const noexcept { return backdrop_; }
    [[nodiscard]] QWidget* client() const;
    [[nodiscard]] PayTableWindow* payTable() const noexcept { return pays_; }
    [[nodiscard]] AboutWindow* about() const noexcept { return about_; }
    [[nodiscard]] QAction* menuAction(Element e) const;
    [[nodiscard]] bool timerActive(Timer t) const;
    [[nodiscard]] bool keyPreview() const noexcept { return keyPreview_; }
    [[nodiscard]] int shutdowns() const noexcept { return shutdowns_; }
    // The sum of every pause asked for so far, in milliseconds.
    [[nodiscard]] std::int64_t pausedMs() const noexcept { return pausedMs_; }
    // Replaces the modal message box (the tests answer it at once).
    std::function<void(const QString& text, const QString& title, MessageIcon icon)> messageHook;

signals:
    // The window has closed and the program should end.
    void closed();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void build();
    void buildMenus();
    void buildTimers();
    void runTimer(Timer t);
    void keepFocusOff(QWidget* w);
    void openOptions();
    void closeOptions();
    void flushScreen();
    [[nodiscard]] QPixmap pictureFor(Picture p);
    void setCaptionOf(QWidget* w, El e, const QString& text);

    const art::Library& art_;
    audio::CuePlayer* cues_;
    Machine* machine_ = nullptr;

    Backdrop* backdrop_ = nullptr;
    std::map<El, QWidget*> widgets_;
    std::map<Element, QAction*> menus_;
    std::array<ReelWindow*, 5> reels_{};
    std::array<QTimer*, kTimerCount> timers_{};
    std::map<std::tuple<int, int, int>, QPixmap> composites_;
    PayTableWindow* pays_ = nullptr;
    AboutWindow* about_ = nullptr;
    QPointer<OptionsWidget> options_;

    bool keyPreview_ = true;
    bool hourglass_ = false;
    bool closing_ = false;
    bool forwarding_ = false;
    int shutdowns_ = 0;
    std::int64_t pausedMs_ = 0;
};

}  // namespace velmoran::shell
