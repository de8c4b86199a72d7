#pragma once
// A view that draws nothing and a store that keeps nothing, for runs of
// millions of games in which only the machine's own values are looked at.

#include <string>
#include <string_view>

#include "core/ports/game_view.h"
#include "core/ports/settings_store.h"

namespace velmoran::test {

class NullView final : public GameView {
public:
    void setPicture(El, Picture) override {}
    void setCaption(El, std::string_view) override {}
    void setVisible(El, bool) override {}
    void setEnabled(El, bool) override {}
    void setChecked(El, bool) override {}
    void move(El, std::int32_t, std::int32_t) override {}
    void resize(El, std::int32_t, std::int32_t) override {}
    void setLineEnds(El, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void setLineColour(El, Rgb) override {}
    void setFocus(El) override {}
    void setKeyPreview(bool) override {}
    void bringToFront(El) override {}
    void unload(El) override {}
    void setMousePointer(MousePointer) override {}
    void setTimer(Timer, bool) override {}
    void playsound(SoundCue) override {}
    void playsoundlooped(SoundCue) override {}
    void messageBox(std::string_view, std::string_view, MessageIcon) override {}
    void yield() override {}
    void pause(std::int32_t) override {}
};

class NullStore final : public SettingsStore {
public:
    std::string read(std::string_view, std::string_view, std::string_view) override { return {}; }
    void write(std::string_view, std::string_view, std::string_view, std::string_view) override {}
};

}  // namespace velmoran::test
