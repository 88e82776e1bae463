// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qt/SoundMixer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QString>
#include <QThread>

#include <mutex>
#include <string_view>
#include <vector>

class QAudioSink;
class QIODevice;
class QTimer;

namespace qt {

// The game's sound effects, embedded under :/sounds, decoded once just after
// start and mixed into one audio stream: a request is heard at once and
// whole, however many others play. While nothing plays the stream is let
// run out and nothing is fed. Asking for an effect
// that is still playing starts it again. Without an audio output nothing is
// loaded and every request is dropped, silently.
//
// With PELMAR_SOUND_LOG set, each request is written to that file as the
// monotonic clock's milliseconds and the effect's name; lines starting with
// "#" give the output's buffer, how long loading took and each time the
// output ran dry.
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
    // The embedded effects decoded; their sample rate, 0 for none.
    int LoadEffects();
    // On the output's thread: the sink opened and fed; its buffer's size in
    // bytes, 0 where it could not start.
    qsizetype OpenOutput(const QAudioDevice& device, const QAudioFormat& format);

    // The test log, written on the program's thread only.
    static qint64 MonotonicMilliseconds();
    void Log(const QByteArray& line);

    // On the audio thread: writes the mixer's next samples into all the
    // room the output has, in its format.
    void Feed();
    // On the audio thread: starts a resting feed.
    void Wake();

    // Requests come on the program's thread, mixing on the audio thread.
    std::mutex mixing_;
    SoundMixer mixer_;
    QHash<QString, std::size_t> effects_;
    // Made, used and deleted on the audio thread.
    QThread audio_;
    QObject audioContext_;
    QAudioFormat format_;
    QAudioSink* sink_ = nullptr;
    QIODevice* output_ = nullptr;
    QTimer* feed_ = nullptr;
    // Feeds in a row with no voice playing, and whether the feed rests.
    int quietFeeds_ = 0;
    bool resting_ = false;
    std::vector<std::int16_t> mixed_;
    QByteArray bytes_;
    QFile log_;
};

} // namespace qt
