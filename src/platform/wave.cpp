#include "platform/wave.h"

#include <QtEndian>

double TWave::Seconds() const {
    const int frameBytes = Channels * Bits / 8;
    if (frameBytes <= 0 || Rate <= 0) return 0;
    return static_cast<double>(Samples.size()) / frameBytes / Rate;
}

std::optional<TWave> ParseWave(const QByteArray& bytes) {
    const auto u32 = [&](qsizetype at) {
        return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData() + at));
    };
    const auto u16 = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(bytes.constData() + at));
    };
    if (bytes.size() < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE") return {};
    if (u32(4) != static_cast<quint32>(bytes.size() - 8)) return {};
    TWave wave;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype length = u32(at + 4);
        if (at + 8 + length > bytes.size()) return {};
        if (id == "fmt " && length >= 16) {
            wave.Tag = u16(at + 8);
            wave.Channels = u16(at + 10);
            wave.Rate = static_cast<int>(u32(at + 12));
            wave.Bits = u16(at + 22);
            haveFormat = true;
        } else if (id == "data") {
            wave.Samples = bytes.mid(at + 8, length);
        }
        at += 8 + length + (length & 1);
    }
    if (!haveFormat) return {};
    return wave;
}
