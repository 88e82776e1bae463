// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Sounds.h"

#include <QAudioDevice>
#include <QDir>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace qt {

Sounds::Sounds() {
    // A machine without sound is no fault of the game's: Qt Multimedia stays quiet.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false"));
    // Loaded once the event loop runs, so the first frame does not wait for
    // the audio system.
    QTimer::singleShot(0, this, &Sounds::Load);
}

namespace {

// Qt Multimedia reports a missing sound server on its own, uncategorised; while
// the audio system is set up nothing it says reaches the terminal.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void Sounds::Load() {
    const QtMessageHandler previous = qInstallMessageHandler(Quiet);
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        Create();
    }
    qInstallMessageHandler(previous);
}

void Sounds::Create() {
    const QDir folder(QStringLiteral(":/sounds"));
    for (const QString& file : folder.entryList({QStringLiteral("*.wav")}, QDir::Files)) {
        auto* effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc:/sounds/") + file));
        effects_.insert(file.chopped(4), effect);
    }
}

void Sounds::Play(std::string_view name) {
    QSoundEffect* effect =
        effects_.value(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (effect == nullptr) {
        return;
    }
    effect->stop();
    effect->play();
}

} // namespace qt
