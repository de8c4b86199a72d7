#include "shell/audio/cue_player.h"

#include <QFile>
#include <QObject>
#include <QString>

#include "shell/audio/cue_deck.h"
#include "shell/audio/qt_audio_output.h"

namespace velmoran::audio {
namespace {

// The output is declared first so that it outlives the deck, whose
// destructor silences it: from then on the audio thread reads none of the
// deck's samples, and the output ends that thread.
class SystemCuePlayer final : public CuePlayer {
public:
    explicit SystemCuePlayer(QObject* parent) {
        for (SoundCue cue : kAllSoundCues) {
            QFile file(QStringLiteral(":/sounds/RESOURCE_ID_%1.wav").arg(number(cue)));
            if (!file.open(QIODevice::ReadOnly)) continue;  // a missing cue stays silent
            const QByteArray bytes = file.readAll();
            deck_.load(cue, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        }
        // Sound ends with the window that plays it.
        if (parent != nullptr) QObject::connect(parent, &QObject::destroyed, &guard_, [this] { output_.stop(); });
    }
    void play(SoundCue cue, bool looped) override { deck_.play(cue, looped); }

private:
    QtAudioOutput output_;
    CueDeck deck_{output_};
    QObject guard_;  // ends the connection above with the player
};

}  // namespace

std::unique_ptr<CuePlayer> makeSystemCuePlayer(QObject* parent) {
    return std::make_unique<SystemCuePlayer>(parent);
}

}  // namespace velmoran::audio
