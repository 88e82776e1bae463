// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Sounds.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDir>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <span>

namespace qt {

namespace {

// How far the stream is written ahead of what is heard: a request waits at
// most this long (asked for: PulseAudio settles on 30 ms for 40). The output
// is topped up every few milliseconds, so a feed may come nearly that late
// before the output runs dry.
constexpr int BufferMilliseconds = 40;
constexpr int FeedMilliseconds = 5;

// Qt Multimedia reports a missing sound server on its own, uncategorised; while
// the audio system is set up nothing it says reaches the terminal.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// The effects' own format where the output takes it, else the nearest it
// takes at that rate; an invalid format where none is.
QAudioFormat OutputFormat(const QAudioDevice& device, int rate) {
    for (const int channels : {1, 2}) {
        for (const auto sampleFormat : {QAudioFormat::Int16, QAudioFormat::Float}) {
            QAudioFormat format;
            format.setSampleRate(rate);
            format.setChannelCount(channels);
            format.setSampleFormat(sampleFormat);
            if (device.isFormatSupported(format)) {
                return format;
            }
        }
    }
    return {};
}

} // namespace

Sounds::Sounds() {
    // A machine without sound is no fault of the game's: Qt Multimedia stays quiet.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false"));
    if (const QString log = qEnvironmentVariable("PELMAR_SOUND_LOG"); !log.isEmpty()) {
        log_.setFileName(log);
        log_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    }
    // Loaded once the event loop runs, so the first frame does not wait for
    // the audio system.
    QTimer::singleShot(0, this, &Sounds::Load);
}

Sounds::~Sounds() {
    if (audio_.isRunning()) {
        // The output goes on its own thread, its feed first.
        QMetaObject::invokeMethod(
            &audioContext_,
            [this] {
                // The sink's own teardown runs this thread's pending events:
                // a late wake-up must find no feed.
                delete feed_;
                feed_ = nullptr;
                delete sink_;
                sink_ = nullptr;
                output_ = nullptr;
            },
            Qt::BlockingQueuedConnection);
        audio_.quit();
        audio_.wait();
    }
}

void Sounds::Load() {
    QElapsedTimer took;
    took.start();
    const QtMessageHandler previous = qInstallMessageHandler(Quiet);
    if (!QMediaDevices::audioOutputs().isEmpty() && !Create()) {
        effects_.clear();
    }
    qInstallMessageHandler(previous);
    Log("# loaded in " + QByteArray::number(took.elapsed()) + " ms");
}

int Sounds::LoadEffects() {
    const QDir folder(QStringLiteral(":/sounds"));
    int rate = 0;
    for (const QString& name : folder.entryList({QStringLiteral("*.wav")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray bytes = file.readAll();
        auto pcm = ReadWav(std::as_bytes(std::span(bytes.constData(), bytes.size())));
        // All effects share one rate, the first one's.
        if (!pcm || (rate != 0 && pcm->rate != rate)) {
            continue;
        }
        rate = pcm->rate;
        effects_.insert(name.chopped(4), mixer_.Add(std::move(pcm->samples)));
    }
    return rate;
}

bool Sounds::Create() {
    const int rate = LoadEffects();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = OutputFormat(device, rate);
    if (effects_.isEmpty() || device.isNull() || !format.isValid()) {
        return false;
    }
    // The output is fed on a thread of its own, so a busy moment of the
    // windows never leaves it without samples.
    audio_.setObjectName(QStringLiteral("pelmar-audio"));
    audio_.start();
    audioContext_.moveToThread(&audio_);
    qsizetype buffer = 0;
    QMetaObject::invokeMethod(
        &audioContext_, [&] { buffer = OpenOutput(device, format); }, Qt::BlockingQueuedConnection);
    if (buffer == 0) {
        return false;
    }
    Log(QStringLiteral("# buffer %1 bytes, %2 ms at %3 Hz, %4 channel(s)")
            .arg(buffer)
            .arg(format.durationForBytes(buffer) / 1000.0)
            .arg(format.sampleRate())
            .arg(format.channelCount())
            .toUtf8());
    return true;
}

qsizetype Sounds::OpenOutput(const QAudioDevice& device, const QAudioFormat& format) {
    format_ = format;
    sink_ = new QAudioSink(device, format);
    sink_->setBufferSize(format.bytesForDuration(BufferMilliseconds * 1000));
    output_ = sink_->start();
    if (output_ == nullptr) {
        return 0;
    }
    feed_ = new QTimer;
    feed_->setTimerType(Qt::PreciseTimer);
    QObject::connect(feed_, &QTimer::timeout, feed_, [this] { Feed(); });
    feed_->start(FeedMilliseconds);
    Feed();
    // The output idles when it has played all it was given. After the feed
    // came to rest, that is the end of the last sound: the output is
    // suspended, so nothing of it wakes the program until the next sound.
    // While a sound plays, it means the output ran dry (the feed or the
    // sound server was held up): worth a note in the log.
    QObject::connect(sink_, &QAudioSink::stateChanged, feed_, [this](QAudio::State state) {
        if (state != QAudio::IdleState) {
            return;
        }
        if (resting_) {
            sink_->suspend();
        } else if (log_.isOpen()) {
            const qint64 at = MonotonicMilliseconds();
            QMetaObject::invokeMethod(this,
                                      [this, at] { Log("# underrun " + QByteArray::number(at)); });
        }
    });
    return sink_->bufferSize();
}

void Sounds::Play(std::string_view name) {
    const QString effect = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    Log(QByteArray::number(MonotonicMilliseconds()) + ' ' + effect.toUtf8());
    if (const auto found = effects_.constFind(effect); found != effects_.constEnd()) {
        {
            const std::lock_guard lock(mixing_);
            mixer_.Play(*found);
        }
        // A resting feed starts again at once.
        QMetaObject::invokeMethod(&audioContext_, [this] { Wake(); });
    }
}

void Sounds::Wake() {
    if (feed_ == nullptr || feed_->isActive()) {
        return;
    }
    resting_ = false;
    quietFeeds_ = 0;
    if (sink_->state() == QAudio::SuspendedState) {
        sink_->resume();
    }
    feed_->start(FeedMilliseconds);
    Feed();
}

qint64 Sounds::MonotonicMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Sounds::Log(const QByteArray& line) {
    if (log_.isOpen()) {
        log_.write(line + '\n');
        log_.flush();
    }
}

void Sounds::Feed() {
    const int frameBytes = format_.bytesPerFrame();
    const int channels = format_.channelCount();
    const auto frames = static_cast<std::size_t>(sink_->bytesFree() / frameBytes);
    if (frames == 0) {
        return;
    }
    mixed_.resize(frames);
    bool playing = false;
    {
        const std::lock_guard lock(mixing_);
        mixer_.Mix(mixed_);
        playing = mixer_.Playing() > 0;
    }
    // Once the silence after the last sound fills the buffer, the feed rests
    // and the output runs out by itself: nothing wakes the program while
    // no sound plays. The next request starts the feed again.
    quietFeeds_ = playing ? 0 : quietFeeds_ + 1;
    if (quietFeeds_ > BufferMilliseconds / FeedMilliseconds) {
        resting_ = true;
        feed_->stop();
    }
    bytes_.resize(static_cast<qsizetype>(frames) * frameBytes);
    char* out = bytes_.data();
    for (const std::int16_t sample : mixed_) {
        for (int c = 0; c < channels; ++c) {
            if (format_.sampleFormat() == QAudioFormat::Float) {
                const float value = static_cast<float>(sample) / 32768.0F;
                std::memcpy(out, &value, sizeof value);
                out += sizeof value;
            } else {
                std::memcpy(out, &sample, sizeof sample);
                out += sizeof sample;
            }
        }
    }
    output_->write(bytes_);
}

} // namespace qt
