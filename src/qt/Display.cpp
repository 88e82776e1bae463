// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Display.h"

#include "host/TableStorage.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QStringList>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace qt {

namespace {

// Nothing when the X display answers, else why not.
std::optional<QString> XDisplay(const QString& display) {
    if (display.isEmpty()) {
        return QStringLiteral("DISPLAY is not set");
    }
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (connected) {
        return std::nullopt;
    }
    return QStringLiteral("cannot connect to the X display %1").arg(display);
}

bool Accepts(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// Qt's Wayland platform is a package of its own, not always installed.
bool WaylandPluginInstalled() {
    QStringList places = qEnvironmentVariable("QT_PLUGIN_PATH").split(':', Qt::SkipEmptyParts);
    places << QLibraryInfo::path(QLibraryInfo::PluginsPath)
           << QString::fromStdString(host::ProgramFolder());
    for (const QString& place : places) {
        if (!QDir(place + QStringLiteral("/platforms"))
                 .entryList({QStringLiteral("libqwayland*")}, QDir::Files)
                 .isEmpty()) {
            return true;
        }
    }
    return false;
}

// Nothing when the Wayland display takes a connection and Qt can speak to
// it, else why not. The socket is where libwayland looks for it.
std::optional<QString> WaylandDisplay() {
    if (!qEnvironmentVariableIsSet("WAYLAND_SOCKET")) {
        QString socket = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
        if (!socket.startsWith('/')) {
            const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
            if (!runtime.startsWith('/')) {
                return QStringLiteral("XDG_RUNTIME_DIR is not set");
            }
            socket = runtime + '/' + socket;
        }
        if (!Accepts(QFile::encodeName(socket))) {
            return QStringLiteral("cannot connect to the Wayland display %1").arg(socket);
        }
    }
    if (!WaylandPluginInstalled()) {
        return QStringLiteral("Qt's Wayland platform plugin is not installed");
    }
    return std::nullopt;
}

// The platforms the player named, tried in turn as Qt tries them.
std::optional<QString> Named(const QString& platforms, const QString& display) {
    QString why;
    for (const QString& entry : platforms.split(';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(':', 0, 0);
        std::optional<QString> failed;
        if (name == QLatin1String("xcb")) {
            failed = XDisplay(display);
        } else if (name.startsWith(QLatin1String("wayland"))) {
            failed = WaylandDisplay();
        }
        // offscreen, minimal, vnc, eglfs, linuxfb...: no display server needed.
        if (!failed) {
            return std::nullopt;
        }
        why = *failed;
    }
    return why;
}

} // namespace

std::optional<QString> ChooseDisplay(const QString& platforms, const QString& display) {
    if (!platforms.trimmed().isEmpty()) {
        return Named(platforms, display);
    }
    const auto x = XDisplay(display);
    const auto wayland = WaylandDisplay();
    if (x && wayland) {
        // Wayland is worth a word only where the player's session names it.
        return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                   ? *x + QStringLiteral(", and ") + *wayland
                   : *x;
    }
    if (x || wayland) {
        qputenv("QT_QPA_PLATFORM", x ? "wayland" : "xcb");
    }
    return std::nullopt;
}

} // namespace qt
