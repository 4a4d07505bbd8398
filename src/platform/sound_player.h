// Playing a complete RIFF WAVE image from memory in the background. A new sound cuts off the one
// still playing. Without a sound device the game stays silent: no error, no wait.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <memory>

class QAudioSink;

class TSoundPlayer {
  public:
    virtual ~TSoundPlayer() = default;
    virtual void Play(const QByteArray& waveImage) = 0;
};

// Plays through the default audio output with a fresh sink per sound (a reused sink loses the
// start of the next sound on some systems).
class TAudioSinkPlayer final : public QObject, public TSoundPlayer {
  public:
    explicit TAudioSinkPlayer(QObject* parent = nullptr);
    ~TAudioSinkPlayer() override;

    void Play(const QByteArray& waveImage) override;

  private:
    void Stop();

    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    QByteArray samples_;
};
