// The parts of a RIFF WAVE image that a player needs: the PCM format and the samples.
#pragma once

#include <QByteArray>
#include <optional>

struct TWave {
    int Tag = 0;  // 1 for uncompressed PCM
    int Channels = 0;
    int Rate = 0;  // samples per second
    int Bits = 0;  // per sample
    QByteArray Samples;

    double Seconds() const;
};

// The wave of a complete RIFF WAVE image; nothing when the image is cut short, its sizes
// disagree, or it has no "fmt " chunk.
std::optional<TWave> ParseWave(const QByteArray& bytes);
