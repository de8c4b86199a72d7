#pragma once
// The two ways the soak program plays the real window: a storm of random
// clicks and keys for a bounded time, and a player who plays by itself and
// says on standard output what the machine is doing, for a run that is
// killed where it stands.

#include <cstdint>
#include <string>

#include "soak_rig.h"

namespace velmoran::soak {

// Follows the machine from the view's hooks: the reel motion, the win
// counter, free-spin sequences and the gamble, counted and, when asked,
// reported one line at a time as they begin and end.
class Observer {
public:
    Observer(SoakRig& rig, bool report) : rig_(rig), report_(report) {}

    void beforeSave();
    void atPause();
    void atYield();
    void atTimer(Timer t, bool enabled);
    // Notes what changed since the last look.
    void update();
    // A line on standard output, when reporting.
    void line(const std::string& text) const {
        if (report_) say(text);
    }

    int motions = 0, freeMotions = 0, sequences = 0, gambles = 0;

private:
    // The spin's bet and what the game has won so far, as reported.
    [[nodiscard]] std::string outcome() const;

    SoakRig& rig_;
    bool report_;
    bool decidedSeen_ = false, motionSeen_ = false, inMotion_ = false, counting_ = false, inSequence_ = false,
         inGamble_ = false;
};

struct StormSettings {
    double seconds = 60;
    bool verbose = false;  // every input on standard output
};
// Returns the program's exit status: 0 when every check held.
int runStorm(SoakRig& rig, const Settings& settings, const StormSettings& storm);

struct AutoplaySettings {
    // What the first paid spin brings: "motion", "counter", "freespins",
    // "gamble", or anything else for chance alone.
    std::string aim;
    int games = 0;         // paid games before quitting by the exit menu; 0: until killed
    double seconds = 120;  // quits by the exit menu after this long, whatever happens
};
int runAutoplay(SoakRig& rig, const Settings& settings, const AutoplaySettings& play);

}  // namespace velmoran::soak
