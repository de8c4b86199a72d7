// Plays cues through the real audio output and listens to what reaches the
// sound server, by recording the monitor of its sink with parec:
//   velmoran_live_audio [monitor source]      (default velmoran_null.monitor)
// Run it through live_audio.sh, which starts a private server with a null
// sink. Checks that a cue is heard, that a second cue cuts a looping one,
// that a looped cue keeps sounding and that a silent cue still cuts it.
// Exit status 0 when every check holds.

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/elements.h"
#include "shell/audio/cue_player.h"

namespace {

using velmoran::SoundCue;

constexpr int kRate = 8000;          // recording rate, mono 16-bit
constexpr int kLoud = 300;           // a sample above this is sound
constexpr int kWindow = kRate / 10;  // 100 ms

int failures = 0;

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++failures;
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class Recorder {
public:
    explicit Recorder(const QString& monitor) {
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput,
                         [this] { data_ += parec_.readAllStandardOutput(); });
        parec_.start("parec", {"--device=" + monitor, "--format=s16le", "--rate=" + QString::number(kRate),
                               "--channels=1", "--latency-msec=10", "--raw"});
    }
    ~Recorder() {
        parec_.kill();
        parec_.waitForFinished(2000);
    }
    bool started() { return parec_.waitForStarted(3000); }
    std::size_t samples() const { return static_cast<std::size_t>(data_.size()) / 2; }
    int at(std::size_t i) const {
        std::int16_t v;
        std::memcpy(&v, data_.constData() + 2 * i, 2);
        return std::abs(static_cast<int>(v));
    }
    // The first loud sample at or after `from`, or samples() if none.
    std::size_t onset(std::size_t from) const {
        for (std::size_t i = from; i < samples(); ++i)
            if (at(i) > kLoud) return i;
        return samples();
    }
    int peak(std::size_t from, std::size_t to) const {
        int p = 0;
        for (std::size_t i = from; i < std::min(to, samples()); ++i) p = std::max(p, at(i));
        return p;
    }

private:
    QProcess parec_;
    QByteArray data_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QString monitor = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("velmoran_null.monitor");

    QElapsedTimer clock;
    clock.start();
    while (QMediaDevices::defaultAudioOutput().isNull() && clock.elapsed() < 3000) wait(50);
    check(!QMediaDevices::defaultAudioOutput().isNull(), "the sound server offers an audio output");
    if (failures) return 1;

    // A null sink's monitor gives nothing while no stream plays into it;
    // a stream of silence keeps it running, so the recording keeps time.
    QProcess keepAlive;
    keepAlive.setStandardInputFile("/dev/zero");
    keepAlive.start("pacat", {"--playback", "--raw", "--format=s16le", "--rate=" + QString::number(kRate),
                              "--channels=1", "--latency-msec=20"});
    check(keepAlive.waitForStarted(3000), "pacat plays silence into the sink");

    Recorder rec(monitor);
    check(rec.started(), "parec records the sink's monitor");
    if (failures) return 1;
    // The record stream takes a moment to deliver its first data.
    clock.restart();
    while (rec.samples() < static_cast<std::size_t>(kWindow) && clock.elapsed() < 5000) wait(50);
    check(rec.samples() >= static_cast<std::size_t>(kWindow), "the recording runs");
    check(rec.peak(0, rec.samples()) <= kLoud, "the sink is silent before any cue");

    auto player = velmoran::audio::makeSystemCuePlayer();
    qint64 worstMs = 0;
    auto play = [&](SoundCue cue, bool looped) {
        QElapsedTimer t;
        t.start();
        player->play(cue, looped);
        worstMs = std::max(worstMs, t.elapsed());
        std::printf("play %d%s: %lld ms\n", velmoran::number(cue), looped ? " looped" : "",
                    static_cast<long long>(t.elapsed()));
        return rec.samples();  // the sound can only appear after this point
    };

    // The free-spin tune, looping, cut after 1.2 s by the 57 ms click.
    const std::size_t tuneAt = play(SoundCue::Cue117, true);
    wait(1200);
    const std::size_t clickAt = play(SoundCue::Cue124, false);
    wait(1500);
    const std::size_t tuneOn = rec.onset(tuneAt);
    std::printf("tune asked at %zu, heard at %zu, click asked at %zu (samples at %d Hz)\n", tuneAt, tuneOn, clickAt,
                kRate);
    check(tuneOn < clickAt, "cue 117 reaches the server");
    check(rec.peak(tuneOn, tuneOn + 10 * kWindow) > 10 * kLoud, "cue 117 sounds at full level");
    // Whatever the latency, 600 ms after the click was asked for all is quiet;
    // the uncut tune would run for 16.9 s.
    const std::size_t quietFrom = clickAt + 6 * kWindow;
    check(rec.samples() > quietFrom + 5 * kWindow, "the recording covers the time after the click");
    check(rec.peak(quietFrom, rec.samples()) <= kLoud, "cue 124 cut the looping cue 117");

    // A click looped keeps clicking; a silent cue then stops it.
    const std::size_t loopAt = play(SoundCue::Cue124, true);
    wait(1500);
    const std::size_t stopAt = play(static_cast<SoundCue>(118), false);  // there is no cue 118
    wait(1200);
    const std::size_t loopOn = rec.onset(loopAt);
    bool everyWindow = loopOn < stopAt;
    for (std::size_t w = loopOn + kWindow; w + 3 * kWindow < stopAt; w += kWindow)
        everyWindow = everyWindow && rec.peak(w, w + kWindow) > kLoud;
    check(everyWindow, "cue 124 looped sounds in every 100 ms while it loops");
    check(rec.peak(stopAt + 6 * kWindow, rec.samples()) <= kLoud, "playing a cue with no sound cut the loop");

    // A single cue ends by itself.
    const std::size_t thudAt = play(SoundCue::Cue116, false);
    wait(1200);
    const std::size_t thudOn = rec.onset(thudAt);
    check(thudOn < rec.samples(), "cue 116 reaches the server");
    check(rec.peak(thudOn + 6 * kWindow, rec.samples()) <= kLoud, "cue 116 plays once and ends");

    std::printf("slowest play call: %lld ms\n", static_cast<long long>(worstMs));
    check(worstMs < 15, "no play call holds up the caller");
    player.reset();
    keepAlive.kill();
    keepAlive.waitForFinished(2000);
    return failures == 0 ? 0 : 1;
}
