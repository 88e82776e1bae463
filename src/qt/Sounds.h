// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <string_view>

class QSoundEffect;

namespace qt {

// The game's sound effects, embedded under :/sounds and loaded once, just
// after start. One voice per effect: asking for an effect that is still
// playing starts it again. Without an audio output nothing is loaded and
// every request is dropped, silently.
class Sounds : public QObject {
    Q_OBJECT
public:
    Sounds();

    // Never waits; an unknown name or a request before loading is dropped.
    void Play(std::string_view name);

private:
    void Load();
    // One effect for each embedded file, named after it without ".wav".
    void Create();

    QHash<QString, QSoundEffect*> effects_;
};

} // namespace qt
