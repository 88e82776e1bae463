// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/ViewMenu.h"

#include "host/Host.h"
#include "qt/FormWindow.h"
#include "qt/Language.h"
#include "qt/MenuBar.h"
#include "qt/Settings.h"
#include "ui/Translate.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTimer>

namespace qt {

ViewMenu::ViewMenu(FormWindow& main, host::Host& host) : QObject(&main), main_(main), host_(host) {
    QMenuBar& bar = *main.menuBar();
    auto* menu = new QMenu(&main);
    Translatable(menu->menuAction(), PELMAR_TR("pelmar", "&Exibir"));
    // The keys are the host's: it hands the front end's own back (Do); the
    // menu only shows them.
    // Between the game's own menus, before "Ajuda".
    const QList<QAction*> tops = bar.actions();
    bar.insertMenu(tops.isEmpty() ? nullptr : tops.back(), menu);

    AddZooms(*menu);
    QAction* bigger = Translatable(menu->addAction(QString()), PELMAR_TR("pelmar", "A&mpliar"), 0,
                                   host::Action::ZoomIn);
    connect(bigger, &QAction::triggered, this, [this] { Zoom(main_.zoom() + 1); });
    QAction* smaller = Translatable(menu->addAction(QString()), PELMAR_TR("pelmar", "&Reduzir"), 0,
                                    host::Action::ZoomOut);
    connect(smaller, &QAction::triggered, this, [this] { Zoom(main_.zoom() - 1); });
    menu->addSeparator();
    fullScreen_ = Translatable(menu->addAction(QString()), PELMAR_TR("pelmar", "Tela &cheia"), 0,
                               host::Action::FullScreen);
    fullScreen_->setCheckable(true);
    connect(fullScreen_, &QAction::triggered, this, [this](bool on) {
        if (on && !main_.fullScreen()) {
            windowedZoom_ = main_.zoom();
        }
        main_.SetFullScreen(on);
        SyncZoom();
    });
    menu->addSeparator();
    pause_ = Translatable(menu->addAction(QString()), PELMAR_TR("pelmar", "&Pausa"), 0,
                          host::Action::Pause);
    pause_->setCheckable(true);
    connect(pause_, &QAction::triggered, this, [this](bool on) {
        host_.SetPausedByPlayer(on);
        ShowPaused(host_.Paused());
    });
    AddLanguages(*menu);
    Retranslate();
    connect(&main, &FormWindow::languageChanged, this, &ViewMenu::Retranslate);
    SyncZoom();
    // The size shown is the one marked, however it was chosen.
    connect(&main, &FormWindow::zoomChanged, this, &ViewMenu::SyncZoom);
    // Once the game has started as always, the player's kept choices.
    QTimer::singleShot(0, this, &ViewMenu::RestoreKept);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &ViewMenu::Keep);
}

void ViewMenu::AddZooms(QMenu& menu) {
    auto* group = new QActionGroup(this);
    for (int factor : main_.FittingZooms()) {
        QAction* action =
            Translatable(menu.addAction(QString()), PELMAR_TR("pelmar", "Tamanho &%1x"), factor);
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, factor] { Zoom(factor); });
        factors_.emplace_back(factor, action);
    }
    menu.addSeparator();
}

void ViewMenu::AddLanguages(QMenu& menu) {
    menu.addSeparator();
    QMenu* languages = menu.addMenu(QString());
    Translatable(languages->menuAction(), PELMAR_TR("pelmar", "&Idioma"));
    auto* group = new QActionGroup(this);
    // A language's name is written in that language, whatever the game speaks.
    const std::pair<QString, QString> choices[] = {
        {QString(), QString()},
        {QStringLiteral("pt"), QStringLiteral("&Português")},
        {QStringLiteral("en"), QStringLiteral("&English")}};
    const QString kept = KeptLanguage();
    for (const auto& [language, text] : choices) {
        QAction* action = languages->addAction(text);
        if (language.isEmpty()) {
            Translatable(action, PELMAR_TR("pelmar", "Idioma do &sistema"));
        }
        action->setCheckable(true);
        action->setChecked(language == kept);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { SetLanguage(language); });
    }
}

void ViewMenu::SetLanguage(const QString& language) {
    KeepLanguage(language);
    if (const QString now = ChooseLanguage(language, QLocale::system()); now != CurrentLanguage()) {
        InstallTranslations(now);
    }
}

QAction* ViewMenu::Translatable(QAction* action, const char* text, int factor, host::Action keys) {
    texts_.push_back({action, text, factor, keys});
    return action;
}

void ViewMenu::Do(host::Action action) {
    switch (action) {
    case host::Action::ZoomIn:
        Zoom(main_.zoom() + 1);
        break;
    case host::Action::ZoomOut:
        Zoom(main_.zoom() - 1);
        break;
    case host::Action::FullScreen:
        fullScreen_->trigger();
        break;
    case host::Action::LeaveFullScreen:
        if (main_.fullScreen()) {
            fullScreen_->trigger();
        }
        break;
    case host::Action::EndReplay:
        QCoreApplication::quit();
        break;
    default:
        break;
    }
}

void ViewMenu::Retranslate() {
    for (const Text& text : texts_) {
        const QString shown = QCoreApplication::translate("pelmar", text.source);
        text.action->setText((text.factor > 0 ? shown.arg(text.factor) : shown) +
                             KeyColumn(host_.bindings().KeysOf(text.keys)));
    }
}

void ViewMenu::RestoreKept() {
    const KeptView kept = LoadKeptView();
    if (kept.zoom) {
        Zoom(*kept.zoom);
    }
    if (kept.fullScreen && !main_.fullScreen()) {
        fullScreen_->trigger();
    }
    if (kept.soundOff) {
        host_.SetSoundOn(false);
    }
}

void ViewMenu::Keep() {
    // A record played back changes nothing the player chose.
    if (host_.Replaying()) {
        return;
    }
    KeptView view;
    if (zoomChosen_) {
        view.zoom = main_.fullScreen() ? windowedZoom_ : main_.zoom();
    }
    view.fullScreen = main_.fullScreen();
    view.soundOff = !host_.SoundOn();
    KeepView(view);
}

void ViewMenu::Zoom(int factor) {
    zoomChosen_ = true;
    if (!main_.fullScreen()) {
        main_.SetZoom(factor);
    }
    SyncZoom();
}

void ViewMenu::SyncZoom() {
    for (const auto& [factor, action] : factors_) {
        action->setChecked(factor == main_.zoom() && !main_.fullScreen());
        action->setEnabled(!main_.fullScreen());
    }
}

void ViewMenu::ShowPaused(bool paused) {
    pause_->setChecked(paused);
}

} // namespace qt
