#pragma once
// The GameView of the main window: the game's calls turned into the widgets
// of the board, the menu bar, the auxiliary windows, the timers and the sound.

#include <QPixmap>
#include <QPointer>
#include <array>
#include <memory>

#include "core/ports/game_view.h"

class QTimer;
class QWidget;

namespace velmoran {
class Machine;
class OptionsWindow;
namespace art {
class Library;
}
namespace audio {
class CuePlayer;
}
}  // namespace velmoran

namespace velmoran::shell {

class MainWindow;
class OptionsWidget;
struct Board;

class WindowView final : public GameView {
public:
    WindowView(MainWindow& window, Board& board, const art::Library& art, audio::CuePlayer& cues);
    ~WindowView() override;
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

    // The game, and the options window's logic made beside it.
    void attach(Machine& machine);
    void setCuePlayer(audio::CuePlayer& cues) { cues_ = &cues; }
    [[nodiscard]] bool timerActive(Timer t) const;
    [[nodiscard]] bool keyPreview() const noexcept { return keyPreview_; }
    // The window is going: no timer runs again, pauses no longer wait, and
    // the options window goes without its own steps.
    void windDown();

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

private:
    void keepFocusOff(QWidget* w);
    void openOptions();
    void closeOptions();
    void flushScreen();
    [[nodiscard]] QPixmap pictureFor(Picture p) const;

    MainWindow& window_;
    Board& board_;
    const art::Library& art_;
    audio::CuePlayer* cues_;
    Machine* machine_ = nullptr;
    std::unique_ptr<OptionsWindow> optionsLogic_;
    std::array<QTimer*, kTimerCount> timers_{};
    QPointer<OptionsWidget> options_;
    bool keyPreview_ = true;
    bool hourglass_ = false;
    bool closing_ = false;
};

}  // namespace velmoran::shell
