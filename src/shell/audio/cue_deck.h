#pragma once
// The rules of cue playback, apart from any audio device: which cue sounds,
// that a new cue cuts the one playing (even a cue that turns out silent),
// and that a looped cue runs on until the next play. The device side is an
// AudioOutput; CueStream is the sample feed such an output reads from, and
// CueMailbox hands the latest cue to an output that plays on a thread of its
// own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "core/elements.h"
#include "shell/audio/cue_player.h"
#include "shell/audio/wave_reader.h"

namespace velmoran::audio {

// A device that sounds one WAVE image at a time.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Silences whatever is sounding, at once. Harmless when idle.
    virtual void stop() = 0;
    // Starts a sound with at least one frame; the output is idle when called.
    // The image's samples stay valid until the next stop(); the output must
    // not read them after stop() has returned, whatever thread reads them.
    virtual void start(const WaveImage& sound, bool looped) = 0;
};

// Holds the cues' WAVE images for the whole run and plays them on an output.
class CueDeck final : public CuePlayer {
public:
    explicit CueDeck(AudioOutput& output) : output_(output) {}
    ~CueDeck() override { output_.stop(); }
    CueDeck(const CueDeck&) = delete;
    CueDeck& operator=(const CueDeck&) = delete;

    // Keeps the image of a cue. An image the reader refuses leaves the cue
    // silent; the reason is returned.
    WaveError load(SoundCue cue, std::vector<std::uint8_t> bytes);
    // True when the cue has at least one frame to play.
    [[nodiscard]] bool playable(SoundCue cue) const;

    void play(SoundCue cue, bool looped) override;

private:
    struct Slot {
        std::vector<std::uint8_t> bytes;
        WaveImage image;
    };
    Slot* slot(SoundCue cue);
    const Slot* slot(SoundCue cue) const;

    AudioOutput& output_;
    std::array<Slot, 25> slots_{};  // cue 101 at index 0
};

// The samples of the sound being played, handed out in whole frames. A looped
// sound wraps from its last frame to its first; a single one ends.
class CueStream {
public:
    void set(std::span<const std::uint8_t> samples, std::size_t bytesPerFrame, bool looped) noexcept;
    void clear() noexcept { set({}, 1, false); }

    // Copies up to `max` bytes (rounded down to whole frames) into `out`
    // and returns the count; 0 once a single sound has been read to its end.
    std::size_t read(std::uint8_t* out, std::size_t max) noexcept;
    [[nodiscard]] bool finished() const noexcept { return !looped_ && pos_ >= samples_.size(); }

private:
    std::span<const std::uint8_t> samples_;
    std::size_t frame_ = 1;
    std::size_t pos_ = 0;
    bool looped_ = false;
};

// The latest play request, passed from the thread that plays cues to the
// thread that feeds the audio device. Only the latest counts: a request
// posted before the device side looked is simply replaced. Neither side
// holds the lock for longer than it takes to copy a request or one read of
// samples, so posting never waits for the device side to do its work.
class CueMailbox {
public:
    struct Request {
        WaveImage sound;  // no frames: silence
        bool looped = false;
        std::uint64_t serial = 0;  // grows with every post; 0 before the first
    };

    // Any thread. Returns the request's serial.
    std::uint64_t post(const WaveImage& sound, bool looped);
    std::uint64_t postSilence() { return post(WaveImage{}, false); }
    [[nodiscard]] Request latest() const;

    // Reads from `stream`, which plays request `serial`, while that request
    // is still the latest. Once a newer one is posted not one more sample of
    // it is read, so a cue's tail never outlives the next play and its
    // samples may go as soon as the post has returned: returns nothing then.
    std::optional<std::size_t> read(std::uint64_t serial, CueStream& stream, std::uint8_t* out, std::size_t max);

private:
    mutable std::mutex mutex_;
    Request latest_;
};

}  // namespace velmoran::audio
