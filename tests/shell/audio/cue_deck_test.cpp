#include "shell/audio/cue_deck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace velmoran::audio {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A mono 8-bit image whose frame count is the cue's number, so the output
// can tell which cue it was given.
Bytes imageOf(int frames, std::uint16_t bits = 8) {
    const std::uint32_t block = bits / 8u;
    const std::uint32_t data = static_cast<std::uint32_t>(frames) * block;
    Bytes b;
    auto tag = [&b](const char* t) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
    };
    auto u32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&b](std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    tag("RIFF");
    u32(4 + 8 + 16 + 8 + data + data % 2);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(11025);
    u32(11025 * block);
    u16(block);
    u16(bits);
    tag("data");
    u32(data);
    for (std::uint32_t i = 0; i < data; ++i) b.push_back(static_cast<std::uint8_t>(i));
    if (data % 2) b.push_back(0);
    return b;
}

// Records what the deck asks of the device: "stop", or "start <frames>"
// with " loop" for a looped start.
class RecordingOutput final : public AudioOutput {
public:
    std::vector<std::string> calls;
    void stop() override { calls.push_back("stop"); }
    void start(const WaveImage& sound, bool looped) override {
        calls.push_back("start " + std::to_string(sound.frameCount()) + (looped ? " loop" : ""));
    }
};

class CueDeckTest : public testing::Test {
protected:
    void SetUp() override {
        for (SoundCue c : kAllSoundCues) ASSERT_EQ(deck.load(c, imageOf(number(c))), WaveError::None);
        out.calls.clear();
    }
    RecordingOutput out;
    CueDeck deck{out};
};

TEST_F(CueDeckTest, EachPlayCutsTheSoundBeforeIt) {
    deck.play(SoundCue::Click, false);
    deck.play(SoundCue::WinTo200, false);
    deck.play(SoundCue::Click, false);
    deck.play(SoundCue::Click, false);  // the same cue again restarts it
    EXPECT_EQ(out.calls, (std::vector<std::string>{"stop", "start 124", "stop", "start 110", "stop", "start 124",
                                                   "stop", "start 124"}));
}

TEST_F(CueDeckTest, ALoopedCueRunsUntilTheNextPlay) {
    deck.play(SoundCue::ArrowWhoosh, false);
    deck.play(SoundCue::FreeSpinTune, true);
    ASSERT_EQ(out.calls.back(), "start 117 loop");
    // Nothing but a new play stops it; the next cue plays once.
    deck.play(SoundCue::ReelStop, false);
    EXPECT_EQ(out.calls,
              (std::vector<std::string>{"stop", "start 105", "stop", "start 117 loop", "stop", "start 116"}));
}

TEST_F(CueDeckTest, ASilentCueStillCutsTheOnePlaying) {
    ASSERT_NE(deck.load(SoundCue::Refused, Bytes{'R', 'I', 'F', 'F'}), WaveError::None);
    ASSERT_EQ(deck.load(SoundCue::ScatterReel1, imageOf(0)), WaveError::None);  // valid but empty
    EXPECT_FALSE(deck.playable(SoundCue::Refused));
    EXPECT_FALSE(deck.playable(SoundCue::ScatterReel1));
    EXPECT_TRUE(deck.playable(SoundCue::ScatterReel2));
    out.calls.clear();

    deck.play(SoundCue::FreeSpinTune, true);
    deck.play(SoundCue::Refused, false);
    deck.play(SoundCue::FreeSpinTune, true);
    deck.play(SoundCue::ScatterReel1, false);
    deck.play(SoundCue::FreeSpinTune, true);
    deck.play(static_cast<SoundCue>(118), false);  // no such cue
    deck.play(static_cast<SoundCue>(7), false);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"stop", "start 117 loop", "stop", "stop", "start 117 loop", "stop",
                                                   "stop", "start 117 loop", "stop", "stop"}));
}

TEST(CueDeck, WithNothingLoadedEveryPlayIsSilent) {
    RecordingOutput out;
    {
        CueDeck deck(out);
        for (SoundCue c : kAllSoundCues) deck.play(c, c == SoundCue::FreeSpinTune);
        EXPECT_EQ(out.calls, std::vector<std::string>(kAllSoundCues.size(), "stop"));
    }
    // Going away silences the output, whose samples it owned.
    EXPECT_EQ(out.calls.size(), kAllSoundCues.size() + 1);
}

TEST(CueDeck, TheOutputIsGivenTheCuesOwnFormatAndSamples) {
    struct Spy final : AudioOutput {
        WaveImage last;
        void stop() override {}
        void start(const WaveImage& s, bool) override { last = s; }
    } out;
    CueDeck deck(out);
    ASSERT_EQ(deck.load(SoundCue::WinTo450, imageOf(5, 16)), WaveError::None);
    deck.play(SoundCue::WinTo450, false);
    EXPECT_EQ(out.last.format, (WaveFormat{1, 11025, 16}));
    ASSERT_EQ(out.last.samples.size(), 10u);
    EXPECT_EQ(out.last.samples[9], 9);
}

Bytes readAll(CueStream& s, std::size_t chunk, std::size_t limit) {
    Bytes got;
    Bytes buf(chunk);
    while (got.size() < limit) {
        const std::size_t n = s.read(buf.data(), buf.size());
        if (n == 0) break;
        got.insert(got.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(n));
    }
    return got;
}

TEST(CueStream, ASingleSoundIsReadOnceToItsEnd) {
    const Bytes samples{1, 2, 3, 4, 5, 6, 7};
    CueStream s;
    s.set(samples, 1, false);
    EXPECT_FALSE(s.finished());
    EXPECT_EQ(readAll(s, 3, 100), samples);
    EXPECT_TRUE(s.finished());
    std::uint8_t b[4];
    EXPECT_EQ(s.read(b, 4), 0u);
}

TEST(CueStream, ALoopedSoundWrapsWithoutAGapAcrossReads) {
    const Bytes samples{10, 20, 30, 40, 50};
    CueStream s;
    s.set(samples, 1, true);
    const Bytes got = readAll(s, 3, 23);  // reads straddle the seam at odd places
    ASSERT_GE(got.size(), 23u);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], samples[i % samples.size()]) << "at " << i;
    EXPECT_FALSE(s.finished());
}

TEST(CueStream, HandsOutWholeFramesOnly) {
    // Stereo 16-bit: 4-byte frames; the stray byte at the end is not a frame.
    const Bytes samples{1, 2, 3, 4, 5, 6, 7, 8, 9};
    CueStream s;
    s.set(samples, 4, true);
    std::uint8_t b[16];
    EXPECT_EQ(s.read(b, 3), 0u);
    EXPECT_EQ(s.read(b, 7), 4u);
    EXPECT_EQ(s.read(b, 16), 16u);
    EXPECT_EQ(Bytes(b, b + 16), (Bytes{5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4}));
}

TEST(CueStream, AnEmptyOrClearedSoundGivesNothingEvenLooped) {
    CueStream s;
    std::uint8_t b[8];
    s.set({}, 2, true);
    EXPECT_EQ(s.read(b, 8), 0u);
    EXPECT_TRUE(s.finished());

    const Bytes samples{1, 2, 3, 4};
    s.set(samples, 2, true);
    EXPECT_EQ(s.read(b, 2), 2u);
    s.clear();
    EXPECT_EQ(s.read(b, 8), 0u);
    EXPECT_TRUE(s.finished());
}

WaveImage soundOf(const Bytes& samples, bool valid = true) {
    WaveImage w;
    w.format = WaveFormat{1, 11025, 8};
    w.samples = samples;
    if (!valid) w.error = WaveError::NotPcm;
    return w;
}

TEST(CueMailbox, OnlyTheLatestRequestCountsAndAnUnreadableSoundIsSilence) {
    const Bytes a{1, 2, 3}, b{4, 5};
    CueMailbox box;
    EXPECT_EQ(box.latest().serial, 0u);
    const std::uint64_t first = box.post(soundOf(a), false);
    const std::uint64_t second = box.post(soundOf(b), true);
    EXPECT_GT(second, first);
    CueMailbox::Request r = box.latest();
    EXPECT_EQ(r.serial, second);
    EXPECT_EQ(r.sound.frameCount(), 2u);
    EXPECT_TRUE(r.looped);

    box.post(soundOf(a, false), true);
    EXPECT_EQ(box.latest().sound.frameCount(), 0u);
    box.postSilence();
    r = box.latest();
    EXPECT_EQ(r.sound.frameCount(), 0u);
    EXPECT_FALSE(r.looped);
}

TEST(CueMailbox, ASupersededSoundIsNotReadAgain) {
    const Bytes a{1, 2, 3, 4, 5, 6};
    CueMailbox box;
    const std::uint64_t serial = box.post(soundOf(a), true);
    CueStream s;
    s.set(a, 1, true);
    std::uint8_t out[4];
    ASSERT_EQ(box.read(serial, s, out, 4), std::optional<std::size_t>(4));
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{1, 2, 3, 4}));
    box.post(soundOf(a), true);  // the same cue again is a new request
    EXPECT_EQ(box.read(serial, s, out, 4), std::nullopt);
}

// The reading side runs on another thread: once a post has returned, the
// samples of the sound before may be overwritten or freed, and the reader
// must never hand out a byte of them.
TEST(CueMailbox, NoSampleOfTheSoundBeforeIsReadAfterThePostReturns) {
    constexpr std::uint8_t kGone = 0xEE;
    for (int round = 0; round < 200; ++round) {
        Bytes samples(512, 7);
        CueMailbox box;
        const std::uint64_t serial = box.post(soundOf(samples), true);
        std::atomic<bool> started{false}, sawGone{false};
        std::thread reader([&] {
            CueStream s;
            s.set(samples, 1, true);
            std::uint8_t out[64];
            for (;;) {
                const auto n = box.read(serial, s, out, sizeof out);
                started = true;
                if (!n) return;
                for (std::size_t i = 0; i < *n; ++i) sawGone = sawGone || out[i] == kGone;
            }
        });
        while (!started) std::this_thread::yield();
        box.postSilence();
        std::fill(samples.begin(), samples.end(), kGone);
        reader.join();
        ASSERT_FALSE(sawGone) << "round " << round;
    }
}

}  // namespace
}  // namespace velmoran::audio
