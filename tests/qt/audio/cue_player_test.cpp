// The cue player on the Qt side. The device is fed from a thread of its own,
// so a play call only posts the cue: it returns while the audio thread is
// busy, and that thread takes up the latest cue once it is free. The system
// player on whatever audio this machine has (on a build machine usually
// none) stays silent and prints nothing.

#include <gtest/gtest.h>
#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>
#include <QTest>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/elements.h"
#include "shell/audio/cue_deck.h"
#include "shell/audio/cue_player.h"
#include "shell/audio/qt_audio_output.h"

namespace velmoran::audio {
namespace {

using namespace std::chrono_literals;

std::vector<std::string>* gMessages = nullptr;

// Qt's sound server client reports a refused connection on the log by
// itself; that line is the library's and reaches no player. Anything else
// is a message of ours.
void collect(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QLatin1String("PulseAudioService:"))) return;
    if (gMessages != nullptr) gMessages->push_back(text.toStdString());
}

// Catches every Qt message while it lives.
class MessageCatcher {
public:
    MessageCatcher() {
        gMessages = &messages;
        previous_ = qInstallMessageHandler(collect);
    }
    ~MessageCatcher() {
        qInstallMessageHandler(previous_);
        gMessages = nullptr;
    }
    std::vector<std::string> messages;

private:
    QtMessageHandler previous_;
};

// Waits, with a bound far beyond any scheduling delay, for the audio thread
// to have taken up the latest request.
bool caughtUp(const QtAudioOutput& out) {
    return QTest::qWaitFor([&] { return out.followed() == out.posted(); }, 10000);
}

TEST(SystemCuePlayer, PlaysEveryCueWithoutAMessageOrAWindow) {
    MessageCatcher catcher;
    auto player = makeSystemCuePlayer();
    for (SoundCue cue : kAllSoundCues) player->play(cue, false);
    player->play(SoundCue::FreeSpinTune, true);
    player->play(SoundCue::Click, false);
    player->play(SoundCue::Click, false);
    QTest::qWait(300);  // let anything the audio side posts arrive
    player->play(SoundCue::Refused, false);
    player.reset();

    EXPECT_TRUE(catcher.messages.empty()) << catcher.messages.front();
    // Nor does any window pop up to say the sound is missing.
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(QtAudioOutput, WithoutAnAudioDeviceNothingOpens) {
    if (!QMediaDevices::defaultAudioOutput().isNull()) GTEST_SKIP() << "this machine has an audio output";
    const std::vector<std::uint8_t> samples(1000, 200);
    WaveImage sound;
    sound.format = WaveFormat{1, 11025, 8};
    sound.samples = samples;
    QtAudioOutput out;
    out.start(sound, true);
    ASSERT_TRUE(caughtUp(out));
    EXPECT_FALSE(out.active());
    out.stop();
    ASSERT_TRUE(caughtUp(out));
    EXPECT_FALSE(out.active());
}

// A sink that the test can hold inside follow(), as a device that takes
// its time would, and that notes what it was asked and on which thread.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool holdNextSound = false;
    bool holding = false;
    bool released = false;
    bool releasedByWatchdog = false;
    std::vector<std::size_t> follows;  // the frame count of each request followed
    QThread* madeOn = nullptr;
    std::vector<QThread*> followedOn;
    QThread* destroyedOn = nullptr;

    void release(bool byWatchdog) {
        std::lock_guard lock(mutex);
        if (released) return;
        released = true;
        releasedByWatchdog = byWatchdog;
        changed.notify_all();
    }
};

class HeldSink final : public CueSink {
public:
    explicit HeldSink(Gate& gate) : gate_(gate) { gate_.madeOn = QThread::currentThread(); }
    ~HeldSink() override { gate_.destroyedOn = QThread::currentThread(); }
    bool follow(const CueMailbox::Request& request) override {
        std::unique_lock lock(gate_.mutex);
        gate_.follows.push_back(request.sound.frameCount());
        gate_.followedOn.push_back(QThread::currentThread());
        if (gate_.holdNextSound && request.sound.frameCount() > 0) {
            gate_.holdNextSound = false;
            gate_.holding = true;
            gate_.changed.notify_all();
            gate_.changed.wait(lock, [this] { return gate_.released; });
        }
        return true;
    }

private:
    Gate& gate_;
};

// A mono 8-bit image of `frames` frames.
std::vector<std::uint8_t> imageOf(std::uint32_t frames) {
    std::vector<std::uint8_t> b;
    auto text = [&b](const char* t) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
    };
    auto u32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&b](std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + frames + frames % 2);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(11025);
    u32(11025);
    u16(1);
    u16(8);
    text("data");
    u32(frames);
    b.resize(b.size() + frames, 128);
    if (frames % 2) b.push_back(0);
    return b;
}

TEST(QtAudioOutput, PlayReturnsWhileTheAudioThreadIsBusyWhichThenTakesUpOnlyTheLatestCue) {
    Gate gate;
    gate.holdNextSound = true;
    {
        QtAudioOutput out([&gate](CueMailbox&) { return std::make_unique<HeldSink>(gate); });
        CueDeck deck(out);
        for (SoundCue c : kAllSoundCues)
            ASSERT_EQ(deck.load(c, imageOf(static_cast<std::uint32_t>(number(c)))), WaveError::None);

        deck.play(SoundCue::FreeSpinTune, true);
        {
            std::unique_lock lock(gate.mutex);
            ASSERT_TRUE(gate.changed.wait_for(lock, 10s, [&] { return gate.holding; }));
        }
        // The audio thread is now stuck in the device. Should a play call
        // wait for it, the watchdog frees it much later and says so.
        std::thread watchdog([&gate] {
            std::unique_lock lock(gate.mutex);
            if (!gate.changed.wait_for(lock, 20s, [&] { return gate.released; })) {
                lock.unlock();
                gate.release(true);
            }
        });
        for (int i = 0; i < 20; ++i)
            for (SoundCue c : {SoundCue::ReelStop, SoundCue::ScatterReel1, SoundCue::Click}) deck.play(c, false);
        deck.play(SoundCue::WinTo200, false);
        const bool stillHeld = [&] {
            std::lock_guard lock(gate.mutex);
            return !gate.released;
        }();
        gate.release(false);
        watchdog.join();
        EXPECT_TRUE(stillHeld);
        EXPECT_FALSE(gate.releasedByWatchdog);

        ASSERT_TRUE(caughtUp(out));
        std::lock_guard lock(gate.mutex);
        ASSERT_GE(gate.follows.size(), 2u);
        // After the tune it was held in, the sink heard of the last cue
        // only: the sixty before it were replaced while it was busy.
        EXPECT_EQ(gate.follows[gate.follows.size() - 2], 117u);
        EXPECT_EQ(gate.follows.back(), 110u);
    }
    // The sink lived and died on the audio thread, which ended with the
    // output.
    EXPECT_NE(gate.madeOn, nullptr);
    EXPECT_NE(gate.madeOn, QThread::currentThread());
    for (QThread* t : gate.followedOn) EXPECT_EQ(t, gate.madeOn);
    EXPECT_EQ(gate.destroyedOn, gate.madeOn);
}

}  // namespace
}  // namespace velmoran::audio
