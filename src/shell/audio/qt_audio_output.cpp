#include "shell/audio/qt_audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <cstring>

namespace velmoran::audio {
namespace {

// Short enough that a cut is heard at once, long enough not to underrun
// when the event loop is busy for a moment.
constexpr int kBufferMs = 120;
constexpr int kReleaseMs = 1000;

QAudioFormat toQt(const WaveFormat& f) {
    QAudioFormat q;
    q.setSampleRate(static_cast<int>(f.sampleRate));
    q.setChannelCount(f.channels);
    q.setSampleFormat(f.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return q;
}

}  // namespace

qint64 CueFeed::bytesAvailable() const { return (1 << 20) + QIODevice::bytesAvailable(); }

qint64 CueFeed::readData(char* data, qint64 maxSize) {
    if (maxSize <= 0) return 0;
    auto* out = reinterpret_cast<std::uint8_t*>(data);
    const auto max = static_cast<std::size_t>(maxSize);
    std::size_t n = stream.read(out, max);
    if (stream.finished()) {
        // Silence in whole 16-bit frames, which covers 8-bit ones too.
        const std::size_t fill = (max - n) & ~std::size_t{3};
        std::memset(out + n, silence, fill);
        n += fill;
        if (!endedSent_) {
            endedSent_ = true;
            emit ended();
        }
    }
    return static_cast<qint64>(n);
}

QtAudioOutput::QtAudioOutput(QObject* parent) : QObject(parent) {
    feed_.open(QIODevice::ReadOnly);
    release_.setSingleShot(true);
    release_.setInterval(kReleaseMs);
    connect(&release_, &QTimer::timeout, this, [this] {
        if (sink_) sink_->reset();
    });
    connect(&feed_, &CueFeed::ended, &release_, qOverload<>(&QTimer::start));
}

QtAudioOutput::~QtAudioOutput() { stop(); }

bool QtAudioOutput::active() const { return sink_ && sink_->state() != QAudio::StoppedState; }

void QtAudioOutput::stop() {
    release_.stop();
    if (sink_ && sink_->state() != QAudio::StoppedState) sink_->reset();
    feed_.stream.clear();
}

void QtAudioOutput::start(const WaveImage& sound, bool looped) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    const QAudioFormat format = toQt(sound.format);
    if (!device.isFormatSupported(format)) return;

    // A sink is bound to one format and device; a cue of another format
    // needs a new one.
    if (!sink_ || sinkFormat_ != sound.format || sinkDevice_ != device.id()) {
        sink_ = std::make_unique<QAudioSink>(device, format);
        sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
        sinkFormat_ = sound.format;
        sinkDevice_ = device.id();
    }
    feed_.stream.set(sound.samples, sound.format.bytesPerFrame(), looped);
    feed_.silence = sound.format.bitsPerSample == 8 ? 128 : 0;
    feed_.restart();
    sink_->start(&feed_);
    if (sink_->error() != QAudio::NoError) stop();
}

}  // namespace velmoran::audio
