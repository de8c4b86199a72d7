#pragma once
// The audio device side of the cue player: one QAudioSink in pull mode,
// fed from a CueStream. Without an audio device every call does nothing.

#include <QIODevice>
#include <QObject>
#include <QTimer>
#include <memory>

#include "shell/audio/cue_deck.h"

class QAudioSink;

namespace velmoran::audio {

// A read-only QIODevice over a CueStream, so the sink can pull the samples
// (and a looped sound wraps without a gap). After a single sound it hands
// out silence rather than an end of data, which the sink would take for a
// broken stream; `ended` fires once when that silence begins.
class CueFeed final : public QIODevice {
    Q_OBJECT
public:
    CueStream stream;
    // The value of a silent sample byte: 128 for 8-bit sound, 0 for 16-bit.
    std::uint8_t silence = 128;
    void restart() { endedSent_ = false; }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

signals:
    void ended();

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    bool endedSent_ = false;
};

class QtAudioOutput final : public QObject, public AudioOutput {
    Q_OBJECT
public:
    explicit QtAudioOutput(QObject* parent = nullptr);
    ~QtAudioOutput() override;

    void stop() override;
    void start(const WaveImage& sound, bool looped) override;

    // True while a sink is open (playing, or draining a finished sound).
    [[nodiscard]] bool active() const;

private:

    CueFeed feed_;
    std::unique_ptr<QAudioSink> sink_;
    WaveFormat sinkFormat_;
    QByteArray sinkDevice_;
    // Closes the sink a while after a single sound has ended, once the
    // device has played out what it buffered.
    QTimer release_;
};

}  // namespace velmoran::audio
