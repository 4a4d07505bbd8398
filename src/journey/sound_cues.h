// The sound cues of a round: 0 a won round that reaches the destination or a checkpoint (a
// trumpet call or a fanfare, drawn at random), 1 any other won round, 2 a lost round, 3 the
// start of a countdown. Any other number sounds like a lost round.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class TRandom;
class TSoundPlayer;

// The name of the cue's sound ("Trumpet001", "fanfare001", "Trumpet0003", "Applause0001",
// "chimes").
QString CueSoundName(int cue, TRandom& random);

// Plays cues from the program's built-in sounds, in the background; a new cue cuts off the one
// still playing.
class TCuePlayer {
  public:
    explicit TCuePlayer(TSoundPlayer* player) : player_(player) {}
    void PlayCue(int cue);

  private:
    const QByteArray& WaveImage(const QString& name);

    TSoundPlayer* player_;
    QHash<QString, QByteArray> images_;
};
