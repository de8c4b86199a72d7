#include "shell/audio/qt_audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <vector>

namespace velmoran::audio {
namespace {

// What the device buffers ahead. Every new cue restarts the sink, which
// drops the buffer, so this does not delay a cut; it only has to cover the
// moments the audio thread waits for a busy processor.
constexpr int kBufferMs = 200;
// How often the buffer is topped up.
constexpr int kPumpMs = 10;
// A finished single sound keeps the sink open a while, for the device to
// play out what it buffered.
constexpr int kReleaseMs = 1000;
// How long closing waits for the audio thread; a sound system that hangs
// must not hang the program's exit.
constexpr int kJoinMs = 3000;

QAudioFormat toQt(const WaveFormat& f) {
    QAudioFormat q;
    q.setSampleRate(static_cast<int>(f.sampleRate));
    q.setChannelCount(f.channels);
    q.setSampleFormat(f.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return q;
}

// A QAudioSink in push mode, topped up by a timer with exactly as many
// bytes as the device has room for. (In pull mode the sink asks for whole
// periods only, and a fresh stream whose server wants less than a period
// before it starts then never starts.)
class SystemSink final : public QObject, public CueSink {
public:
    explicit SystemSink(CueMailbox& mailbox) : mailbox_(mailbox) {
        pump_.setTimerType(Qt::PreciseTimer);
        pump_.setInterval(kPumpMs);
        connect(&pump_, &QTimer::timeout, this, [this] { topUp(); });
    }
    ~SystemSink() override { close(); }

    bool follow(const CueMailbox::Request& request) override {
        close();
        serial_ = request.serial;
        stream_.set(request.sound.samples, request.sound.format.bytesPerFrame(), request.looped);
        if (request.sound.frameCount() == 0) return false;

        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return false;
        const QAudioFormat format = toQt(request.sound.format);
        if (!device.isFormatSupported(format)) return false;
        // A sink is bound to one format and device, and one that lost its
        // server stays broken: those need a new one.
        if (!sink_ || format_ != request.sound.format || device_ != device.id() ||
            sink_->error() == QAudio::FatalError) {
            // Not destroyed here: the sink's destructor runs the event loop,
            // which could deliver the next request in the middle of this one.
            if (sink_) sink_.release()->deleteLater();
            sink_ = std::make_unique<QAudioSink>(device, format);
            sink_->setBufferSize(format.bytesForDuration(qint64{kBufferMs} * 1000));
            format_ = request.sound.format;
            device_ = device.id();
        }
        silence_ = request.sound.format.bitsPerSample == 16 ? 0 : 128;
        frame_ = request.sound.format.bytesPerFrame();
        silentSince_ = -1;
        io_ = sink_->start();
        if (io_ == nullptr || sink_->error() != QAudio::NoError) {
            close();
            return false;
        }
        topUp();
        pump_.start();
        return true;
    }

private:
    void topUp() {
        if (io_ == nullptr || !sink_) return;
        if (sink_->state() == QAudio::StoppedState) {
            // The device went away.
            close();
            return;
        }
        const auto room = static_cast<std::size_t>(std::max<qsizetype>(0, sink_->bytesFree()));
        const std::size_t want = room - room % frame_;
        if (want == 0) return;
        buffer_.resize(want);
        const std::optional<std::size_t> got = mailbox_.read(serial_, stream_, buffer_.data(), want);
        const std::size_t n = got.value_or(0);
        // Past the end of a single sound, or once a newer request has come,
        // silence: the sink takes an empty write for a broken stream.
        std::memset(buffer_.data() + n, silence_, want - n);
        if (n == 0 && silentSince_ < 0) silentSince_ = 0;
        if (silentSince_ >= 0) {
            silentSince_ += static_cast<int>(want / frame_ * 1000 / format_.sampleRate);
            if (silentSince_ > kReleaseMs) {
                close();
                return;
            }
        }
        io_->write(reinterpret_cast<const char*>(buffer_.data()), static_cast<qint64>(want));
    }

    // Drops whatever the device still holds of the sound before.
    void close() {
        pump_.stop();
        io_ = nullptr;
        if (sink_ && sink_->state() != QAudio::StoppedState) sink_->reset();
    }

    CueMailbox& mailbox_;
    CueStream stream_;
    std::uint64_t serial_ = 0;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* io_ = nullptr;  // the sink's, while it plays
    WaveFormat format_;
    QByteArray device_;
    QTimer pump_;
    std::vector<std::uint8_t> buffer_;
    std::size_t frame_ = 1;
    // The value of a silent sample byte: 128 for 8-bit sound, 0 for 16-bit.
    std::uint8_t silence_ = 128;
    // Milliseconds of silence written since the sound ended, or -1.
    int silentSince_ = -1;
};

}  // namespace

std::unique_ptr<CueSink> makeSystemSink(CueMailbox& mailbox) {
    return std::make_unique<SystemSink>(mailbox);
}

// --- the output and its thread ------------------------------------------------

// What the output and its thread share. The thread keeps its own reference,
// so a thread that outlives the output (see the destructor) still finds it.
struct QtAudioOutput::Shared {
    CueMailbox mailbox;
    CueSinkMaker makeSink;
    // Lives on the audio thread; requests are delivered to it there.
    QObject relay;
    std::atomic<bool> wakePending{false};
    std::atomic<std::uint64_t> followed{0};
    std::atomic<bool> active{false};
    std::unique_ptr<CueSink> sink;  // touched on the audio thread only

    // On the audio thread: catch up with the latest request.
    void apply() {
        wakePending.store(false);
        const CueMailbox::Request request = mailbox.latest();
        if (request.serial == followed.load()) return;
        active.store(sink != nullptr && sink->follow(request));
        followed.store(request.serial);
    }
};

class QtAudioOutput::Thread final : public QThread {
public:
    explicit Thread(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {
        setObjectName(QStringLiteral("velmoran audio"));
    }

protected:
    void run() override {
        // The sink is made and destroyed here, so its timers and the device
        // client belong to this thread.
        if (shared_->makeSink) shared_->sink = shared_->makeSink(shared_->mailbox);
        shared_->apply();
        exec();
        shared_->sink.reset();
    }

private:
    std::shared_ptr<Shared> shared_;
};

QtAudioOutput::QtAudioOutput(CueSinkMaker makeSink) : shared_(std::make_shared<Shared>()) {
    shared_->makeSink = std::move(makeSink);
    // The media devices are set up on the thread that makes the output, not
    // on the audio thread, which ends before the program does.
    (void)QMediaDevices::defaultAudioOutput();
    thread_ = std::make_unique<Thread>(shared_);
    shared_->relay.moveToThread(thread_.get());
    thread_->start();
}

QtAudioOutput::~QtAudioOutput() {
    shared_->mailbox.postSilence();
    thread_->quit();
    if (!thread_->wait(QDeadlineTimer(kJoinMs))) {
        // The sound system hangs the thread: leave it to the end of the
        // process with the state it shares, rather than hang the exit or
        // destroy a running thread. The silence posted above means it reads
        // no more samples.
        (void)thread_.release();
        return;
    }
}

void QtAudioOutput::stop() {
    shared_->mailbox.postSilence();
    wake();
}

void QtAudioOutput::start(const WaveImage& sound, bool looped) {
    shared_->mailbox.post(sound, looped);
    wake();
}

void QtAudioOutput::wake() {
    // One pending wake-up is enough: the thread reads the latest request.
    if (shared_->wakePending.exchange(true)) return;
    std::weak_ptr<Shared> weak = shared_;
    QMetaObject::invokeMethod(
        &shared_->relay,
        [weak] {
            if (const auto s = weak.lock()) s->apply();
        },
        Qt::QueuedConnection);
}

std::uint64_t QtAudioOutput::posted() const {
    return shared_->mailbox.latest().serial;
}
std::uint64_t QtAudioOutput::followed() const {
    return shared_->followed.load();
}
bool QtAudioOutput::active() const {
    return shared_->active.load();
}

}  // namespace velmoran::audio
