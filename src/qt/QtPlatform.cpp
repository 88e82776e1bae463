// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/QtPlatform.h"

#include "qt/Language.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTime>
#include <QUrl>
#include <QWidget>

#include <algorithm>

#include "ui/Picture.h"

namespace qt {

QtPlatform::QtPlatform(Storage storage) : storage_(std::move(storage)) {
    elapsed_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake_, &QTimer::timeout, [this] {
        if (onWake) {
            onWake();
        }
    });
}

std::int64_t QtPlatform::StartOfDay() {
    // Never 0: the game takes a clock of 0 for "not yet".
    return std::max(QTime::currentTime().msecsSinceStartOfDay(), 10);
}

void QtPlatform::WakeIn(int milliseconds) {
    if (milliseconds < 0) {
        wake_.stop();
        return;
    }
    if (milliseconds == 0) {
        // The next display frame.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double rate =
            screen != nullptr && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
        milliseconds = std::max(static_cast<int>(1000.0 / rate), 1);
    }
    // A wake-up already due sooner stays.
    if (!wake_.isActive() || wake_.remainingTime() > milliseconds) {
        wake_.start(milliseconds);
    }
}

QString QtPlatform::RecordsFolder() {
    return Storage::UserDataFolder() + QStringLiteral("/records");
}

void QtPlatform::KeepRecord(std::optional<double> score, const std::string& script) {
    constexpr int MostRecords = 50;
    const QDir folder(RecordsFolder());
    if (!folder.mkpath(QStringLiteral("."))) {
        return;
    }
    const QString name =
        score ? QStringLiteral("%1-%2.sim")
                    .arg(QString::number(*score, 'f', 0),
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss")))
              : QStringLiteral("last.sim");
    QSaveFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(QByteArray::fromStdString(script)) != static_cast<qint64>(script.size()) ||
        !file.commit()) {
        return;
    }
    // The oldest go first.
    const QFileInfoList kept =
        folder.entryInfoList({QStringLiteral("*.sim")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (qsizetype i = 0; i < kept.size() - MostRecords; ++i) {
        QFile::remove(kept[i].absoluteFilePath());
    }
}

void QtPlatform::ShowPaused(bool paused) {
    if (onPause) {
        onPause(paused);
    }
}

void QtPlatform::DoEvents() {
    // Ticks run from the event loop, which has just taken the window system's
    // pending events; Qt's own posted work is what may still wait. Input stays
    // with the loop itself, so a dialog opened from a menu never runs inside a
    // tick, where Qt would hold the play timer until it closed.
    QCoreApplication::sendPostedEvents();
}

std::string QtPlatform::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) {
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), Translated(title),
                                                 TranslatedLines(prompt), QLineEdit::Normal,
                                                 QString::fromStdString(defaultAnswer), &ok);
    return ok ? answer.toStdString() : std::string();
}

namespace {

// A question that takes only Yes or No: Escape and the frame's close button
// leave it open, so one reflex key press cannot answer it.
class YesNoBox : public QMessageBox {
public:
    YesNoBox(const QString& title, const QString& prompt, QWidget* parent)
        : QMessageBox(QMessageBox::Question, title, prompt, QMessageBox::Yes | QMessageBox::No,
                      parent) {
        setDefaultButton(QMessageBox::Yes);
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

bool QtPlatform::AskYesNo(const std::string& prompt, const std::string& title) {
    YesNoBox box(Translated(title), TranslatedLines(prompt), QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

QString QtPlatform::FindHelpPage(const QString& page) {
    QStringList places{QCoreApplication::applicationDirPath()};
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        places << data + "/pelmar";
    }
    places << QCoreApplication::applicationDirPath() + "/../share/pelmar";
    for (const QString& dir : places) {
        const QFileInfo file(dir + "/" + page);
        if (file.isFile()) {
            return file.absoluteFilePath();
        }
    }
    return {};
}

QString QtPlatform::LocalHelpPage(const QString& page) {
    // Pelmar.htm in another language is Pelmar_en.htm, where there is one.
    const QString language = CurrentLanguage();
    if (language == QLatin1String("pt")) {
        return page;
    }
    const qsizetype dot = page.lastIndexOf('.');
    const QString local =
        dot < 0 ? page + "_" + language : page.left(dot) + "_" + language + page.mid(dot);
    return FindHelpPage(local).isEmpty() ? page : local;
}

namespace {

// Says what kept the help page from opening, without stopping the game.
void TellAboutHelp(const QString& text) {
    auto* box = new QMessageBox(
        QMessageBox::Information,
        QCoreApplication::translate("pelmar", "Como jogar...").remove(QLatin1Char('&')), text,
        QMessageBox::Ok, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace

void QtPlatform::OpenHelp(const std::string& page) {
    const QString wanted = LocalHelpPage(QString::fromStdString(page));
    const QString path = FindHelpPage(wanted);
    if (path.isEmpty()) {
        TellAboutHelp(QCoreApplication::translate(
                          "pelmar", "A página de ajuda %1 não foi encontrada junto ao jogo.")
                          .arg(wanted));
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        TellAboutHelp(QCoreApplication::translate(
                          "pelmar", "Nenhum programa abriu a página de ajuda. Ela está em:\n%1")
                          .arg(QDir::toNativeSeparators(path)));
    }
}

ui::ScreenSize QtPlatform::Screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    return {area.width() * ui::TwipsPerPixel, area.height() * ui::TwipsPerPixel};
}

void QtPlatform::EndProgram() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

} // namespace qt

namespace qt {

std::string QtPlatform::ReadFile(const std::string& name) {
    return storage_.Read(QString::fromStdString(name));
}

bool QtPlatform::ReplaceFile(const std::string& name, const std::string& bytes) {
    return storage_.Replace(QString::fromStdString(name), bytes);
}

} // namespace qt
