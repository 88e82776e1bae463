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
    // Up to 128 pixels: the window system takes all sizes in one request,
    // which 256 x 256 alone would overflow. Larger icons come from the
    // desktop's icon theme.
    constexpr int Largest = 128;
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"));
    for (const QString& file : folder.entryList({QStringLiteral("pelmar_*.png")}, QDir::Files)) {
        const int size = file.section(QLatin1Char('_'), 1).chopped(4).toInt();
        if (size > 0 && size <= Largest) {
            icon.addFile(folder.filePath(file), QSize(size, size));
        }
    }
    return icon;
}

} // namespace qt
