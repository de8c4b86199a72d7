#include "support/recording_view.h"

#include <gtest/gtest.h>

#include <numeric>

namespace velmoran::test {

std::string describe(El e) {
    std::string s{info(e.name).name};
    if (info(e.name).isArray()) s += "(" + std::to_string(e.index) + ")";
    return s;
}

void RecordingView::note(std::string line) {
    if (logEnabled) log.push_back(std::move(line));
}

void RecordingView::mustExist(El e) {
    // No window has such a member: the real one would find no widget there.
    if (!e.valid()) ADD_FAILURE() << "the logic named an element that does not exist: " << describe(e);
}

void RecordingView::setPicture(El e, Picture p) {
    auto& s = element(e);
    s.picture = p;
    s.pictureSet = true;
    ++s.pictureSets;
    note("picture " + describe(e) + "=" + std::string(info(p.list).name) + ":" + std::to_string(p.index) +
         (p.overlay ? "+" + std::to_string(p.overlay) : ""));
}

void RecordingView::setCaption(El e, std::string_view text) {
    auto& s = element(e);
    s.caption = std::string(text);
    s.captionSet = true;
    note("caption " + describe(e) + "=" + std::string(text));
}

void RecordingView::setVisible(El e, bool v) {
    element(e).visible = v;
    note(std::string(v ? "show " : "hide ") + describe(e));
}

void RecordingView::setEnabled(El e, bool v) {
    element(e).enabled = v;
    note(std::string(v ? "enable " : "disable ") + describe(e));
}

void RecordingView::setChecked(El e, bool v) {
    element(e).checked = v;
    note(std::string(v ? "check " : "uncheck ") + describe(e));
}

void RecordingView::move(El e, std::int32_t left, std::int32_t top) {
    auto& s = element(e);
    s.left = left;
    s.top = top;
    s.moved = true;
    ++s.moves;
    if (e.name != Element::gamblewin && e.name != Element::gamblelose)  // 4791 moves each: keep the log short
        note("move " + describe(e) + "=" + std::to_string(left) + "," + std::to_string(top));
}

void RecordingView::resize(El e, std::int32_t width, std::int32_t height) {
    auto& s = element(e);
    if (width != kKeep) s.width = width;
    if (height != kKeep) s.height = height;
    note("resize " + describe(e) + "=" + std::to_string(width) + "x" + std::to_string(height));
}

void RecordingView::setLineEnds(El e, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    auto& s = element(e);
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    note("line " + describe(e));
}

void RecordingView::setLineColour(El e, Rgb colour) {
    element(e).colour = colour;
    note("colour " + describe(e));
}

void RecordingView::setFocus(El e) {
    mustExist(e);
    focus = e;
    note("focus " + describe(e));
}

void RecordingView::setKeyPreview(bool on) {
    keyPreview = on;
    note(std::string("keypreview ") + (on ? "on" : "off"));
}

void RecordingView::bringToFront(El window) {
    mustExist(window);
    fronts.push_back(window);
    note("front " + describe(window));
}

void RecordingView::unload(El window) {
    unloads.push_back(window);
    element(window).visible = false;
    note("unload " + describe(window));
}

void RecordingView::setMousePointer(MousePointer p) {
    pointer = p;
    note(std::string("pointer ") + (p == MousePointer::Hourglass ? "hourglass" : "default"));
}

void RecordingView::setTimer(Timer t, bool on) {
    timers[static_cast<std::size_t>(t)] = on;
    timerLog.emplace_back(t, on);
    timerLogAt.push_back(clockMs);
    note(std::string(on ? "start " : "stop ") + std::string(info(t).name));
}

void RecordingView::playsound(SoundCue cue) {
    sounds.push_back({cue, false, clockMs});
    note("sound " + std::to_string(number(cue)));
}

void RecordingView::playsoundlooped(SoundCue cue) {
    sounds.push_back({cue, true, clockMs});
    note("loop " + std::to_string(number(cue)));
}

void RecordingView::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
    messages.push_back({std::string(text), std::string(title), icon});
    note("message " + std::string(title));
}

void RecordingView::yield() {
    ++yields;
    note("yield");
    if (onYield) onYield(yields);
}

void RecordingView::pause(std::int32_t ms) {
    pauses.push_back({ms, clockMs});
    clockMs += ms;
    note("pause " + std::to_string(ms));
    if (onPause) onPause(ms);
}

std::vector<int> RecordingView::soundNumbers() const {
    std::vector<int> out;
    out.reserve(sounds.size());
    for (const auto& s : sounds) out.push_back(number(s.cue));
    return out;
}

std::int64_t RecordingView::totalPauseMs() const {
    return std::accumulate(pauses.begin(), pauses.end(), std::int64_t{0},
                           [](std::int64_t a, const PauseEvent& p) { return a + p.ms; });
}

void RecordingView::clearLogs() {
    timerLog.clear();
    timerLogAt.clear();
    sounds.clear();
    pauses.clear();
    messages.clear();
    unloads.clear();
    fronts.clear();
    log.clear();
    yields = 0;
    for (auto& [el, s] : elements) {
        s.moves = 0;
        s.pictureSets = 0;
    }
}

}  // namespace velmoran::test
