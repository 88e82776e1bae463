// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QProxyStyle>

namespace qt {

// The desktop's style, but a lone Alt press does not take the keyboard into
// the menu bar: the arrows keep steering the cook.
class GameStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// The game's icon at every size it is drawn in.
QIcon GameIcon();

} // namespace qt
