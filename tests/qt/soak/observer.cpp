#include <string>

#include "runs.h"

namespace velmoran::soak {

std::string Observer::outcome() const {
    const auto& s = rig_.s();
    // What the game has brought so far: this spin's win, and in a sequence
    // the wins of its earlier spins.
    const bool free = s.freespinstotal > 0;
    const std::int64_t wins = static_cast<std::int64_t>(s.spinwin) + (free ? s.freespinwin : 0);
    return "bet=" + std::to_string(s.totalBet()) + " wins=" + std::to_string(wins);
}

void Observer::beforeSave() {
    update();
    const auto& s = rig_.s();
    // The first save of a spin whose outcome stands, said before it reaches
    // the disk.
    if (!s.spindecided || !s.gamerunning || decidedSeen_) return;
    decidedSeen_ = true;
    line("decided " + outcome());
}

void Observer::atPause() {
    update();
    const auto& s = rig_.s();
    if (!s.spindecided || !s.gamerunning || motionSeen_) return;
    motionSeen_ = inMotion_ = true;
    ++motions;
    if (s.freespinstotal > 0) ++freeMotions;
    line("motion " + outcome());
}

void Observer::atYield() {
    update();
    // The motion gives way to nothing; the first yield comes after it.
    if (inMotion_) {
        inMotion_ = false;
        line("stopped");
    }
}

void Observer::atTimer(Timer t, bool enabled) {
    update();
    if (t != Timer::Timerwincounter || enabled == counting_) return;
    counting_ = enabled;
    line(enabled ? "counter" : "counted");
}

void Observer::update() {
    const auto& s = rig_.s();
    if (!s.spindecided) decidedSeen_ = motionSeen_ = false;
    if ((s.freespinstotal > 0) != inSequence_) {
        inSequence_ = !inSequence_;
        if (inSequence_) ++sequences;
        line(inSequence_ ? "freespins" : "freespins-over");
    }
    if (s.gambleshown != inGamble_) {
        inGamble_ = s.gambleshown;
        if (inGamble_) ++gambles;
    }
}

}  // namespace velmoran::soak
