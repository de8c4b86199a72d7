#pragma once
// The audio device side of the cue player. The window's thread blocks by
// design (the reel motion sleeps after every frame, the win lines pause on
// every tick), so the device is fed from a thread of its own: stop() and
// start() only post the request to a CueMailbox and wake that thread, which
// restarts its sink on the new cue. Without an audio device nothing opens
// and every call stays silent.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "shell/audio/cue_deck.h"

namespace velmoran::audio {

// The device end of a QtAudioOutput: made, used and destroyed on the audio
// thread, which has an event loop.
class CueSink {
public:
    virtual ~CueSink() = default;
    // The latest request has changed: drop what is left of the sound before
    // and play the request's sound from its start, or fall silent. Returns
    // true when a device is open for it.
    virtual bool follow(const CueMailbox::Request& request) = 0;
};

// Makes the sink, on the audio thread; the sink reads its samples through
// the mailbox.
using CueSinkMaker = std::function<std::unique_ptr<CueSink>(CueMailbox&)>;

// The system's default audio output, through a QAudioSink in pull mode.
std::unique_ptr<CueSink> makeSystemSink(CueMailbox& mailbox);

class QtAudioOutput final : public AudioOutput {
public:
    explicit QtAudioOutput(CueSinkMaker makeSink = makeSystemSink);
    // Silences the output and ends its thread.
    ~QtAudioOutput() override;
    QtAudioOutput(const QtAudioOutput&) = delete;
    QtAudioOutput& operator=(const QtAudioOutput&) = delete;

    // Both return at once, from any thread.
    void stop() override;
    void start(const WaveImage& sound, bool looped) override;

    // The serial of the latest request posted, and of the latest one the
    // sink has followed: equal once the audio thread has caught up.
    [[nodiscard]] std::uint64_t posted() const;
    [[nodiscard]] std::uint64_t followed() const;
    // True when the sink had a device open for the request it followed last.
    [[nodiscard]] bool active() const;

private:
    struct Shared;
    class Thread;
    void wake();

    std::shared_ptr<Shared> shared_;
    std::unique_ptr<Thread> thread_;
};

}  // namespace velmoran::audio
