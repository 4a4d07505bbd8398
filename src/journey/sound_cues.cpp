#include "journey/sound_cues.h"

#include <QFile>
#include <array>

#include "logic/random.h"
#include "platform/sound_player.h"
#include "resource_names.h"

namespace {

const std::array<const char*, 5> kCueTable = {"Trumpet001", "fanfare001", "Trumpet0003",
                                              "Applause0001", "chimes"};

}  // namespace

QString CueSoundName(int cue, TRandom& random) {
    std::size_t entry = 3;
    if (cue == 0)
        entry = static_cast<std::size_t>(random.Below(2));
    else if (cue == 1)
        entry = 2;
    else if (cue == 3)
        entry = 4;
    return QString::fromLatin1(kCueTable[entry]);
}

const QByteArray& TCuePlayer::WaveImage(const QString& name) {
    auto found = images_.find(name);
    if (found == images_.end()) {
        QFile file(assets::Sound(name));
        found =
            images_.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return *found;
}

void TCuePlayer::PlayCue(int cue) {
    if (!player_) return;
    player_->Play(WaveImage(CueSoundName(cue, ProgramRandom())));
}
