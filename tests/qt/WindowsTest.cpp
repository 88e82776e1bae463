// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows' answers to a player's reflexes.
#include "Simulator.h"
#include "qt/FormPainter.h"
#include "qt/FormWindow.h"
#include "qt/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

QMessageBox* OpenQuestion() {
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

TEST(Windows, ThePlayAgainQuestionTakesOnlyYesOrNo) {
    QTemporaryDir dir;
    qt::QtPlatform platform(host::TableFolders{dir.path().toStdString(), dir.path().toStdString()});
    bool escaped = false, closed = false;
    QTimer::singleShot(100, [&] {
        if (QMessageBox* box = OpenQuestion()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
            escaped = true;
        }
    });
    QTimer::singleShot(200, [&] {
        if (QMessageBox* box = OpenQuestion()) {
            box->close();
            closed = true;
        }
    });
    QTimer::singleShot(300, [&] {
        if (QMessageBox* box = OpenQuestion()) {
            box->button(QMessageBox::Yes)->click();
        }
    });
    EXPECT_TRUE(platform.AskYesNo("Deseja jogar novamente?", "Fim do Jogo."));
    EXPECT_TRUE(escaped);
    EXPECT_TRUE(closed) << "Escape answered the question";
}

TEST(Windows, AKeyHeldAsTheNameBoxAppearsDoesNotKeepTheDefaultName) {
    sim::Simulator sim;
    qt::PictureCache pictures;
    qt::FormWindow window(sim.windows.best, pictures, false, sim.platform);
    ui::Control& box = *sim.windows.best.Text1;
    box.SetText("Vencedor");
    box.SetEnabled(true);
    box.SetVisible(true);
    box.SelectAll();
    auto* edit = window.findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->selectedText(), "Vencedor");
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(edit, &focus);
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(edit, &repeated);
    // A character the table cannot hold is refused, and the box says why;
    // the name stays selected, so the next keys still type over it.
    QKeyEvent omega(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "Ω");
    QApplication::sendEvent(edit, &omega);
    EXPECT_EQ(edit->text(), "Vencedor");
    EXPECT_EQ(edit->selectedText(), "Vencedor");
    EXPECT_EQ(box.Text(), "Vencedor");
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("alfabeto latino")) << QToolTip::text().toStdString();
    for (const char* letter : {"A", "n", "a"}) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, letter);
        QApplication::sendEvent(edit, &typed);
    }
    EXPECT_EQ(edit->text(), "Ana");
    EXPECT_EQ(box.Text(), "Ana");
    QKeyEvent emoji(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "\U0001F600");
    QApplication::sendEvent(edit, &emoji);
    EXPECT_EQ(edit->text(), "Ana");
    EXPECT_EQ(box.Text(), "Ana");
}

} // namespace

namespace {

TEST(Windows, AHelpPageThatCannotBeFoundIsToldInAMessageBox) {
    QTemporaryDir dir;
    qt::QtPlatform platform(host::TableFolders{dir.path().toStdString(), dir.path().toStdString()});
    platform.OpenHelp("NoSuchPage.htm");
    QMessageBox* told = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box != nullptr && box->isVisible()) {
            told = box;
        }
    }
    ASSERT_NE(told, nullptr) << "nothing told the player";
    EXPECT_TRUE(told->text().contains("NoSuchPage.htm")) << told->text().toStdString();
    EXPECT_FALSE(told->isModal()) << "the game goes on";
    told->close();
}

} // namespace
