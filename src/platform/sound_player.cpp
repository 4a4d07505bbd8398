#include "platform/sound_player.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include "platform/wave.h"

namespace {

// The sample format of uncompressed 8- and 16-bit PCM; Unknown for anything else.
QAudioFormat FormatOf(const TWave& wave) {
    QAudioFormat format;
    if (wave.Tag != 1 || wave.Channels < 1 || wave.Rate <= 0) return format;
    format.setChannelCount(wave.Channels);
    format.setSampleRate(wave.Rate);
    if (wave.Bits == 8)
        format.setSampleFormat(QAudioFormat::UInt8);
    else if (wave.Bits == 16)
        format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

}  // namespace

TAudioSinkPlayer::TAudioSinkPlayer(QObject* parent) : QObject(parent) {}

TAudioSinkPlayer::~TAudioSinkPlayer() {
    Stop();
}

void TAudioSinkPlayer::Stop() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
}

void TAudioSinkPlayer::Play(const QByteArray& waveImage) {
    Stop();
    const std::optional<TWave> wave = ParseWave(waveImage);
    if (!wave) return;
    const QAudioFormat format = FormatOf(*wave);
    if (format.sampleFormat() == QAudioFormat::Unknown) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    samples_ = wave->Samples;
    buffer_.setBuffer(&samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(&buffer_);
}
