// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Input.h"

#include <QObject>

#include <vector>

class QAction;
class QMenu;

namespace host {
class Host;
}

namespace qt {

class FormWindow;

// The main window's "Exibir" menu: the zoom factors, full screen, the
// player's pause and the language. These belong to the desktop alone, not to
// the game's forms; the zoom and full screen are kept between runs, with the
// sound's switch, and so is the language.
class ViewMenu : public QObject {
public:
    ViewMenu(FormWindow& main, host::Host& host);
    // The pause's check mark follows the game, which ends the pause itself
    // on a new game, a dialog or game over.
    void ShowPaused(bool paused);
    // What a key asked the host for that is the desktop's to do.
    void Do(host::Action action);

private:
    // The zoom factors that fit the screen, one checked.
    void AddZooms(QMenu& menu);
    // The desktop's language, Portuguese or English: the choice is kept,
    // and the game speaks it at once.
    void AddLanguages(QMenu& menu);
    void SetLanguage(const QString& language);
    // An entry's or a title's Portuguese text, shown in the language of the
    // moment; "%1" in it stands for `factor`. The key the host binds to
    // `keys` shows beside it.
    QAction* Translatable(QAction* action, const char* text, int factor = 0,
                          host::Action keys = host::Action::None);
    void Retranslate();
    void Zoom(int factor);
    void SyncZoom();
    // The zoom, full screen and sound kept from the last run, and kept for the next.
    void RestoreKept();
    void Keep();

    FormWindow& main_;
    host::Host& host_;
    std::vector<std::pair<int, QAction*>> factors_;
    struct Text {
        QAction* action;
        const char* source;
        int factor;
        host::Action keys;
    };
    std::vector<Text> texts_;
    QAction* fullScreen_;
    QAction* pause_;
    int windowedZoom_ = 1;
    bool zoomChosen_ = false;
};

} // namespace qt
