// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Sounds.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDir>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <span>

namespace qt {

namespace {

// How far the stream is written ahead of what is heard: a request waits at
// most this long.
constexpr int BufferMilliseconds = 30;

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
    // The output stops pulling before the stream goes.
    if (sink_ != nullptr) {
        sink_->stop();
    }
}

void Sounds::Load() {
    const QtMessageHandler previous = qInstallMessageHandler(Quiet);
    if (!QMediaDevices::audioOutputs().isEmpty() && !Create()) {
        effects_.clear();
    }
    qInstallMessageHandler(previous);
}

bool Sounds::Create() {
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
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = OutputFormat(device, rate);
    if (effects_.isEmpty() || device.isNull() || !format.isValid()) {
        return false;
    }
    stream_ = new Stream(mixer_, mixing_, format);
    stream_->setParent(this);
    // Unbuffered: a buffered device would mix far ahead of the output.
    stream_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    sink_ = new QAudioSink(device, format, this);
    sink_->setBufferSize(format.bytesForDuration(BufferMilliseconds * 1000));
    sink_->start(stream_);
    if (sink_->state() == QAudio::StoppedState) {
        return false;
    }
    if (log_.isOpen()) {
        log_.write(QStringLiteral("# buffer %1 bytes, %2 ms at %3 Hz, %4 channel(s)\n")
                       .arg(sink_->bufferSize())
                       .arg(format.durationForBytes(sink_->bufferSize()) / 1000.0)
                       .arg(format.sampleRate())
                       .arg(format.channelCount())
                       .toUtf8());
        log_.flush();
    }
    return true;
}

void Sounds::Play(std::string_view name) {
    const QString effect = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (log_.isOpen()) {
        const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        log_.write(QByteArray::number(static_cast<qint64>(now.count())) + ' ' + effect.toUtf8() +
                   '\n');
        log_.flush();
    }
    if (const auto found = effects_.constFind(effect); found != effects_.constEnd()) {
        const std::lock_guard lock(mixing_);
        mixer_.Play(*found);
    }
}

Sounds::Stream::Stream(SoundMixer& mixer, std::mutex& mixing, const QAudioFormat& format)
    : mixer_(mixer), mixing_(mixing), format_(format) {}

qint64 Sounds::Stream::bytesAvailable() const {
    // The stream never ends: silence where nothing plays.
    return format_.bytesForDuration(BufferMilliseconds * 1000) + QIODevice::bytesAvailable();
}

qint64 Sounds::Stream::readData(char* data, qint64 maxSize) {
    const int frameBytes = format_.bytesPerFrame();
    const int channels = format_.channelCount();
    const auto frames = static_cast<std::size_t>(maxSize / frameBytes);
    mixed_.resize(frames);
    {
        const std::lock_guard lock(mixing_);
        mixer_.Mix(mixed_);
    }
    char* out = data;
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
    return static_cast<qint64>(frames) * frameBytes;
}

} // namespace qt
