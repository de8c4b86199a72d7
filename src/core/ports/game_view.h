#pragma once
// The one interface through which the game logic changes the screen, starts
// and stops timers, plays sounds, shows message boxes and gives way to the
// event loop. The Qt windows implement it; the tests use a recording fake.

#include <cstdint>
#include <string_view>

#include "core/elements.h"

namespace velmoran {

class GameView {
public:
    // Passed to resize() for a dimension that keeps its current value.
    static constexpr std::int32_t kKeep = -1;

    virtual ~GameView() = default;

    // Element properties. Positions and sizes are in twips (15 to the pixel)
    // in the client coordinates of the element's container. An element or
    // picture that does not exist is ignored by the view.
    virtual void setPicture(El e, Picture p) = 0;
    virtual void setCaption(El e, std::string_view text) = 0;
    virtual void setVisible(El e, bool visible) = 0;
    virtual void setEnabled(El e, bool enabled) = 0;
    virtual void setChecked(El e, bool checked) = 0;  // option buttons
    virtual void move(El e, std::int32_t left, std::int32_t top) = 0;
    virtual void resize(El e, std::int32_t width, std::int32_t height) = 0;
    virtual void setLineEnds(El e, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
    virtual void setLineColour(El e, Rgb colour) = 0;

    // Keyboard: focus to a window or a control, and the main window's key preview.
    virtual void setFocus(El e) = 0;
    virtual void setKeyPreview(bool on) = 0;

    // Windows: bring to the front, or unload (closing the main window ends the program).
    virtual void bringToFront(El window) = 0;
    virtual void unload(El window) = 0;
    virtual void setMousePointer(MousePointer pointer) = 0;

    virtual void setTimer(Timer t, bool enabled) = 0;

    // Sound: asynchronous, one at a time; a new cue cuts the one playing.
    virtual void playsound(SoundCue cue) = 0;
    virtual void playsoundlooped(SoundCue cue) = 0;

    // A modal message box with an OK button only.
    virtual void messageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;

    // Give way to the event loop once: pending input and timer events run now.
    virtual void yield() = 0;
    // Make every change so far visible, then block for ms milliseconds.
    virtual void pause(std::int32_t ms) = 0;
};

}  // namespace velmoran
