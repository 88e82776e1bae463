// SPDX-License-Identifier: GPL-3.0-or-later
// The game's language on a desktop, and its menus in each language.
#include "qt/Language.h"
#include "Simulator.h"
#include "qt/FormPainter.h"
#include "qt/FormWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

using qt::ChooseLanguage;

TEST(Language, PortugueseAndPlainDesktopsGetTheGamesOwnTexts) {
    EXPECT_EQ(ChooseLanguage("", QLocale("pt_BR")), "pt");
    EXPECT_EQ(ChooseLanguage("", QLocale("pt_PT")), "pt");
    EXPECT_EQ(ChooseLanguage("", QLocale::c()), "pt");
}

TEST(Language, AnyOtherDesktopGetsEnglish) {
    EXPECT_EQ(ChooseLanguage("", QLocale("en_US")), "en");
    EXPECT_EQ(ChooseLanguage("", QLocale("en_GB")), "en");
    EXPECT_EQ(ChooseLanguage("", QLocale("de_DE")), "en");
    EXPECT_EQ(ChooseLanguage("", QLocale("ja_JP")), "en");
}

TEST(Language, TheLangOptionWinsOverTheDesktop) {
    EXPECT_EQ(ChooseLanguage("en", QLocale("pt_BR")), "en");
    EXPECT_EQ(ChooseLanguage("pt", QLocale("en_US")), "pt");
    EXPECT_EQ(ChooseLanguage("pt_BR.UTF-8", QLocale("en_US")), "pt");
    EXPECT_EQ(ChooseLanguage("EN-gb", QLocale("pt_BR")), "en");
    EXPECT_EQ(ChooseLanguage("C", QLocale("en_US")), "pt");
    // One the game does not speak leaves the choice to the desktop.
    EXPECT_EQ(ChooseLanguage("xx", QLocale("pt_BR")), "pt");
    EXPECT_EQ(ChooseLanguage("xx", QLocale("en_US")), "en");
}

TEST(Language, EnglishIsEmbedded) {
    EXPECT_TRUE(qt::HasLanguage("en"));
    EXPECT_TRUE(qt::HasLanguage("pt"));
    EXPECT_FALSE(qt::HasLanguage("xx"));
}

// The access keys of one menu's title or entries, lower case; empty where
// a text has none.
QStringList AccessKeys(const QStringList& texts) {
    QStringList keys;
    for (const QString& text : texts) {
        QString key;
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == '&') {
                if (text[i + 1] != '&') {
                    key = text[i + 1].toLower();
                    break;
                }
                ++i;
            }
        }
        keys << key;
    }
    return keys;
}

// The menu bar's titles, then each menu's entries, in both display modes.
QList<QStringList> MenuTexts(sim::Simulator& sim) {
    qt::PictureCache pictures;
    qt::FormWindow window(sim.windows.cfrm, pictures, true, sim.platform);
    QList<QStringList> menus{{}};
    for (const char* display : {"Display &Simples", "Display &Arrojado"}) {
        sim.windows.cfrm.MenuDisplay->SetCaption(display);
        for (QAction* top : window.menuBar()->actions()) {
            menus[0] << top->text();
            QStringList entries;
            for (QAction* entry : top->menu()->actions()) {
                if (!entry->isSeparator()) {
                    entries << entry->text();
                }
            }
            menus << entries;
        }
    }
    menus[0].removeDuplicates();
    return menus;
}

void ExpectUniqueKeys(const QList<QStringList>& menus, bool everyEntryHasOne) {
    for (const QStringList& menu : menus) {
        QSet<QString> seen;
        const QStringList keys = AccessKeys(menu);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (keys[i].isEmpty()) {
                EXPECT_FALSE(everyEntryHasOne) << menu[i].toStdString() << " has no access key";
                continue;
            }
            EXPECT_FALSE(seen.contains(keys[i]))
                << menu[i].toStdString() << " repeats the access key " << keys[i].toStdString()
                << " in " << menu.join(", ").toStdString();
            seen.insert(keys[i]);
        }
    }
}

// Each of the table's places, as the player reads it, within its narrow
// column: the label leaves a pixel free on either side.
void ExpectPlacesFit(const ui::Control& place) {
    const QFontMetrics metrics(qt::ToQFont(place.font));
    const int room = place.Width() / ui::TwipsPerPixel - 2;
    for (int p = 1; p <= 7; ++p) {
        const QString shown = qt::Translated(std::to_string(p) + "º");
        const QRect ink = metrics.tightBoundingRect(shown);
        EXPECT_GE(ink.left(), 0) << shown.toStdString();
        EXPECT_LT(ink.right(), room) << shown.toStdString() << " is cut";
    }
}

TEST(Language, PortugueseMenusAreTheGamesOwnTexts) {
    sim::Simulator sim;
    const QList<QStringList> menus = MenuTexts(sim);
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0], (QStringList{"&Opções", "&Ajuda"}));
    // Each entry a key stands for shows that key, after a tab.
    EXPECT_EQ(menus[1], (QStringList{"Jogo &Novo\tF2", "Fase ...", "Display &Simples", "&Minimizar",
                                     "Vel. Dirovid ...", "S&om\tM", "Sai&r\tCtrl+Q"}));
    EXPECT_EQ(menus[2], (QStringList{"Sobre o Jogo...", "Os Melhores...", "Como jogar...\tF1"}));
    EXPECT_EQ(menus[3][2], "Display &Arrojado");
    ExpectUniqueKeys(menus, false);
    ExpectPlacesFit(*sim.windows.best.Lugar[0]);
}

TEST(Language, EnglishMenusHaveOneAccessKeyPerEntryAndThePlacesFit) {
    QTranslator english;
    ASSERT_TRUE(english.load(":/i18n/pelmar_en.qm"));
    QCoreApplication::installTranslator(&english);
    sim::Simulator sim;
    const QList<QStringList> menus = MenuTexts(sim);
    ExpectPlacesFit(*sim.windows.best.Lugar[0]);
    QCoreApplication::removeTranslator(&english);
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0], (QStringList{"&Options", "&Help"}));
    EXPECT_EQ(menus[1], (QStringList{"&New Game\tF2", "&Level...", "&Simple Display", "&Minimize",
                                     "&Cook's Speed...", "S&ound\tM", "&Quit\tCtrl+Q"}));
    EXPECT_EQ(menus[2].last(), "&How to Play...\tF1");
    EXPECT_EQ(menus[3][2], "&Bold Display");
    ExpectUniqueKeys(menus, true);
    // The game itself still holds its Portuguese caption.
    EXPECT_EQ(sim.windows.cfrm.MenuSair->Caption(), "Sai&r");
}

// A language chosen in the menu is spoken at once: the menus, and the
// pictures with words in them.
TEST(Language, AnotherLanguageInstalledIsShownAtOnce) {
    sim::Simulator sim;
    qt::PictureCache pictures;
    qt::FormWindow window(sim.windows.cfrm, pictures, true, sim.platform);
    const auto shown = [&window] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        const QList<QAction*> tops = window.menuBar()->actions();
        return tops.front()->text() + "|" + tops.front()->menu()->actions().back()->text();
    };
    const ui::PictureRef& panel = sim.windows.cfrm.Picture3->Picture();
    const QImage portuguese = pictures.Of(panel);
    qt::InstallTranslations("en");
    const QString english = shown();
    const QImage englishPanel = pictures.Of(panel);
    qt::InstallTranslations("pt");
    EXPECT_EQ(english, "&Options|&Quit\tCtrl+Q");
    EXPECT_EQ(shown(), "&Opções|Sai&r\tCtrl+Q");
    EXPECT_NE(englishPanel, portuguese);
    EXPECT_EQ(pictures.Of(panel), portuguese);
}

TEST(Language, APromptOfSeveralLinesIsTranslatedLineByLine) {
    QTranslator english;
    ASSERT_TRUE(english.load(":/i18n/pelmar_en.qm"));
    const std::string prompt = " Entre Com A Velocidade do Dirovid:\r\n  O Valor Padrao e 150.";
    EXPECT_EQ(qt::TranslatedLines(prompt).toStdString(), prompt);
    QCoreApplication::installTranslator(&english);
    const QString shown = qt::TranslatedLines(prompt);
    const QString name = qt::Translated("Nome Qualquer");
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(shown, "Enter the cook's speed:\r\nThe default is 150.");
    EXPECT_EQ(name, "Nome Qualquer");
}

TEST(Language, EachEnglishPictureStandsInForOneOfTheSameSize) {
    const QStringList english = QDir(":/pictures/en").entryList(QDir::Files);
    EXPECT_EQ(english, (QStringList{"entre.png", "melhores.png", "picture3.png", "picture4.png",
                                    "sobre.png"}));
    for (const QString& name : english) {
        const QImage local(":/pictures/en/" + name);
        const QImage own(":/pictures/" + name);
        ASSERT_FALSE(own.isNull()) << name.toStdString() << " has no Portuguese picture";
        EXPECT_EQ(local.size(), own.size()) << name.toStdString();
        EXPECT_NE(local, own) << name.toStdString() << " is the Portuguese picture";
    }
}

TEST(Language, QtsButtonsHaveTheirPortugueseWordsEmbedded) {
    QTranslator words;
    ASSERT_TRUE(words.load(":/i18n/qt_pt.qm"));
    EXPECT_EQ(words.translate("QPlatformTheme", "Cancel"), "Cancelar");
    EXPECT_EQ(words.translate("QPlatformTheme", "&Yes"), "&Sim");
    EXPECT_EQ(words.translate("QPlatformTheme", "&No"), "&Não");
}

} // namespace
