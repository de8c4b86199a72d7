// The system cue player on whatever audio this machine has, which on a
// build machine is usually none: playing must stay silent, print nothing
// and never hold up the caller.

#include <gtest/gtest.h>
#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QObject>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "core/elements.h"
#include "shell/audio/cue_player.h"
#include "shell/audio/qt_audio_output.h"

namespace velmoran::audio {
namespace {

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

TEST(SystemCuePlayer, PlaysEveryCueWithoutDelayOrMessage) {
    MessageCatcher catcher;
    QElapsedTimer clock;
    clock.start();
    auto player = makeSystemCuePlayer();
    const qint64 loadMs = clock.elapsed();

    qint64 worstMs = 0;
    auto timed = [&](SoundCue cue, bool looped) {
        clock.restart();
        player->play(cue, looped);
        worstMs = std::max(worstMs, clock.elapsed());
    };
    for (SoundCue cue : kAllSoundCues) timed(cue, false);
    timed(SoundCue::Cue117, true);
    timed(SoundCue::Cue124, false);
    timed(SoundCue::Cue124, false);
    QTest::qWait(300);  // let anything the audio side posts arrive
    timed(SoundCue::Cue125, false);
    player.reset();

    // A play is one frame's worth of time at most; loading the 24 cues a
    // small part of the start-up.
    EXPECT_LT(worstMs, 15);
    EXPECT_LT(loadMs, 500);
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
    EXPECT_FALSE(out.active());
    out.stop();
    EXPECT_FALSE(out.active());
}

}  // namespace
}  // namespace velmoran::audio
