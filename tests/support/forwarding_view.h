#pragma once
// A view that hands every call on to another one, for views that watch or
// step in on a few calls of a real window and pass the rest through.

#include <string_view>

#include "core/ports/game_view.h"

namespace velmoran::test {

class ForwardingView : public GameView {
public:
    explicit ForwardingView(GameView& inner) : inner_(inner) {}

    void setPicture(El e, Picture p) override { inner_.setPicture(e, p); }
    void setCaption(El e, std::string_view text) override { inner_.setCaption(e, text); }
    void setVisible(El e, bool visible) override { inner_.setVisible(e, visible); }
    void setEnabled(El e, bool enabled) override { inner_.setEnabled(e, enabled); }
    void setChecked(El e, bool checked) override { inner_.setChecked(e, checked); }
    void move(El e, std::int32_t left, std::int32_t top) override { inner_.move(e, left, top); }
    void resize(El e, std::int32_t width, std::int32_t height) override { inner_.resize(e, width, height); }
    void setLineEnds(El e, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
        inner_.setLineEnds(e, x1, y1, x2, y2);
    }
    void setLineColour(El e, Rgb colour) override { inner_.setLineColour(e, colour); }
    void setFocus(El e) override { inner_.setFocus(e); }
    void setKeyPreview(bool on) override { inner_.setKeyPreview(on); }
    void bringToFront(El window) override { inner_.bringToFront(window); }
    void unload(El window) override { inner_.unload(window); }
    void setMousePointer(MousePointer pointer) override { inner_.setMousePointer(pointer); }
    void setTimer(Timer t, bool enabled) override { inner_.setTimer(t, enabled); }
    void playsound(SoundCue cue) override { inner_.playsound(cue); }
    void playsoundlooped(SoundCue cue) override { inner_.playsoundlooped(cue); }
    void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override {
        inner_.messageBox(text, title, icon);
    }
    void yield() override { inner_.yield(); }
    void pause(std::int32_t ms) override { inner_.pause(ms); }

private:
    GameView& inner_;
};

}  // namespace velmoran::test
