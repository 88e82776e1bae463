// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Style.h"

#include <QDir>

namespace qt {

int GameStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == QStyle::SH_MenuBar_AltKeyNavigation) {
        return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QIcon GameIcon() {
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"));
    for (const QString& file : folder.entryList({QStringLiteral("pelmar_*.png")}, QDir::Files)) {
        icon.addFile(folder.filePath(file));
    }
    return icon;
}

} // namespace qt
