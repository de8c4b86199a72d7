#pragma once
// Playback of the 24 sound cues: asynchronous, one at a time, a new cue
// cutting the one playing; a looped cue repeats until another is played.
// Without an audio device, or for a cue that could not be loaded, playing is
// silent, with no message and no delay.

#include <memory>

#include "core/elements.h"

class QObject;

namespace velmoran::audio {

class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    virtual void play(SoundCue cue, bool looped) = 0;
};

// Loads the cues from the program's resources and plays them through the
// system's audio output.
std::unique_ptr<CuePlayer> makeSystemCuePlayer(QObject* parent = nullptr);

// Plays nothing.
class SilentCuePlayer final : public CuePlayer {
public:
    void play(SoundCue, bool) override {}
};

}  // namespace velmoran::audio
