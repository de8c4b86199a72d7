#include "shell/audio/cue_deck.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace velmoran::audio {

CueDeck::Slot* CueDeck::slot(SoundCue cue) {
    return const_cast<Slot*>(std::as_const(*this).slot(cue));
}

const CueDeck::Slot* CueDeck::slot(SoundCue cue) const {
    const int index = number(cue) - 101;
    if (index < 0 || index >= static_cast<int>(slots_.size())) return nullptr;
    return &slots_[static_cast<std::size_t>(index)];
}

WaveError CueDeck::load(SoundCue cue, std::vector<std::uint8_t> bytes) {
    Slot* s = slot(cue);
    if (s == nullptr) return WaveError::None;
    // The slot may be the one sounding: silence it before its bytes go.
    output_.stop();
    s->bytes = std::move(bytes);
    s->image = readWave(s->bytes);
    if (!s->image.ok()) s->bytes.clear();
    return s->image.error;
}

bool CueDeck::playable(SoundCue cue) const {
    const Slot* s = slot(cue);
    return s != nullptr && s->image.ok() && s->image.frameCount() > 0;
}

void CueDeck::play(SoundCue cue, bool looped) {
    // Any play cuts the sound before it, including one that has nothing to
    // play: a looped tune must not outlive the next cue.
    output_.stop();
    if (playable(cue)) output_.start(slot(cue)->image, looped);
}

void CueStream::set(std::span<const std::uint8_t> samples, std::size_t bytesPerFrame, bool looped) noexcept {
    frame_ = std::max<std::size_t>(1, bytesPerFrame);
    samples_ = samples.first(samples.size() - samples.size() % frame_);
    pos_ = 0;
    looped_ = looped && !samples_.empty();
}

std::size_t CueStream::read(std::uint8_t* out, std::size_t max) noexcept {
    std::size_t want = max - max % frame_;
    std::size_t done = 0;
    while (want > 0) {
        if (pos_ >= samples_.size()) {
            if (!looped_) break;
            pos_ = 0;
        }
        const std::size_t n = std::min(want, samples_.size() - pos_);
        std::memcpy(out + done, samples_.data() + pos_, n);
        pos_ += n;
        done += n;
        want -= n;
    }
    return done;
}

std::uint64_t CueMailbox::post(const WaveImage& sound, bool looped) {
    std::lock_guard lock(mutex_);
    latest_.sound = sound.ok() ? sound : WaveImage{};
    latest_.looped = looped;
    return ++latest_.serial;
}

CueMailbox::Request CueMailbox::latest() const {
    std::lock_guard lock(mutex_);
    return latest_;
}

std::optional<std::size_t> CueMailbox::read(std::uint64_t serial, CueStream& stream, std::uint8_t* out,
                                            std::size_t max) {
    std::lock_guard lock(mutex_);
    if (serial != latest_.serial) return std::nullopt;
    return stream.read(out, max);
}

}  // namespace velmoran::audio
