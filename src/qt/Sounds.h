// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qt/SoundMixer.h"

#include <QAudioFormat>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QObject>
#include <QString>

#include <mutex>
#include <string_view>
#include <vector>

class QAudioSink;

namespace qt {

// The game's sound effects, embedded under :/sounds, decoded once just after
// start and mixed into one audio stream that never stops: a request is
// heard at once and whole, however many others play. Asking for an effect
// that is still playing starts it again. Without an audio output nothing is
// loaded and every request is dropped, silently.
//
// With PELMAR_SOUND_LOG set, each request is written to that file as the
// monotonic clock's milliseconds and the effect's name, after a line giving
// the output's buffer.
class Sounds : public QObject {
    Q_OBJECT
public:
    Sounds();
    ~Sounds() override;

    // Never waits; an unknown name or a request before loading is dropped.
    void Play(std::string_view name);

private:
    void Load();
    // Decodes each embedded file, named after it without ".wav", and opens
    // the output; false where no effect or no output could be had.
    bool Create();

    // The stream the output pulls: the mixer's samples in the output's format.
    class Stream : public QIODevice {
    public:
        Stream(SoundMixer& mixer, std::mutex& mixing, const QAudioFormat& format);
        bool isSequential() const override { return true; }
        qint64 bytesAvailable() const override;

    protected:
        qint64 readData(char* data, qint64 maxSize) override;
        qint64 writeData(const char*, qint64) override { return -1; }

    private:
        SoundMixer& mixer_;
        std::mutex& mixing_;
        QAudioFormat format_;
        std::vector<std::int16_t> mixed_;
    };

    // Whichever thread the output pulls on, requests and mixing take turns.
    std::mutex mixing_;
    SoundMixer mixer_;
    QHash<QString, std::size_t> effects_;
    Stream* stream_ = nullptr;
    QAudioSink* sink_ = nullptr;
    QFile log_;
};

} // namespace qt
