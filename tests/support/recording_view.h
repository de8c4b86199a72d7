#pragma once
// A GameView that remembers what the logic did to each element, logs sounds,
// pauses, yields and timer switches against a virtual clock, and can run
// test code at a yield so that events arrive in the middle of a handler.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/game_view.h"

namespace velmoran::test {

struct ElementState {
    std::string caption;
    bool captionSet = false;
    std::optional<bool> visible;  // unset: never touched
    std::optional<bool> enabled;
    std::optional<bool> checked;
    Picture picture;
    bool pictureSet = false;
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool moved = false;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour;
    int moves = 0;        // number of move() calls
    int pictureSets = 0;  // number of setPicture() calls
};

struct SoundEvent {
    SoundCue cue;
    bool looped;
    std::int64_t atMs;
};

struct PauseEvent {
    std::int32_t ms;
    std::int64_t atMs;  // clock when the pause began
};

struct MessageEvent {
    std::string text, title;
    MessageIcon icon;
};

class RecordingView : public GameView {
public:
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

    // --- what was recorded ---
    ElementState& at(El e) { return elements[e]; }
    [[nodiscard]] const std::string& caption(El e) { return elements[e].caption; }
    // Visible / enabled as last set; `fallback` when never set.
    [[nodiscard]] bool visible(El e, bool fallback = false) { return elements[e].visible.value_or(fallback); }
    [[nodiscard]] bool enabled(El e, bool fallback = true) { return elements[e].enabled.value_or(fallback); }
    [[nodiscard]] bool timerOn(Timer t) const { return timers[static_cast<std::size_t>(t)]; }
    [[nodiscard]] std::vector<int> soundNumbers() const;
    [[nodiscard]] std::int64_t totalPauseMs() const;
    void clearLogs();

    std::map<El, ElementState> elements;
    std::array<bool, kTimerCount> timers{};
    std::vector<std::pair<Timer, bool>> timerLog;
    std::vector<std::int64_t> timerLogAt;  // the clock of each timerLog entry
    std::vector<SoundEvent> sounds;
    std::vector<PauseEvent> pauses;
    std::vector<MessageEvent> messages;
    std::vector<El> unloads;
    std::vector<El> fronts;
    // One line per operation, in order ("caption LABWIN=Good Luck").
    std::vector<std::string> log;
    bool logEnabled = true;

    std::optional<El> focus;
    bool keyPreview = true;
    MousePointer pointer = MousePointer::Default;
    std::int64_t clockMs = 0;
    int yields = 0;
    // Runs at every yield, after the count is raised; tests deliver events here.
    std::function<void(int yieldNumber)> onYield;
    // Runs at every pause, after the clock has moved on. The real window's
    // thread sleeps there, so nothing it receives can run at that point; a
    // test delivering events here asks more of the logic than the window does.
    std::function<void(std::int32_t ms)> onPause;

private:
    void note(std::string line);
    // A test fails where the logic names a member of an element array that
    // does not exist.
    void mustExist(El e);
    ElementState& element(El e) {
        mustExist(e);
        return elements[e];
    }
};

[[nodiscard]] std::string describe(El e);

}  // namespace velmoran::test
