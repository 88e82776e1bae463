// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/QtPlatform.h"
#include "qt/HeldKeys.h"
#include "qt/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTime>
#include <QUrl>
#include <QWidget>

#include "game/TableNotices.h"
#include "host/Question.h"
#include "qt/KeyMap.h"
#include "ui/Picture.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace qt {

namespace {

std::optional<std::string> RecordsIn(const std::optional<std::string>& data) {
    return data ? std::optional<std::string>(*data + "/records") : std::nullopt;
}

} // namespace

QtPlatform::QtPlatform(host::TableFolders folders, bool live)
    : storage_(folders, [this](const ui::Notice& notice) { Tell(notice); }),
      records_(RecordsIn(folders.data), [this](const ui::Notice& notice) { Tell(notice); }) {
    elapsed_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake_, &QTimer::timeout, [this] {
        if (onWake) {
            onWake();
        }
    });
    storage_.Folder();
    if (live) {
        records_.Check();
    }
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

void QtPlatform::KeepRecord(std::optional<double> score, const std::string& script) {
    records_.Keep(score, script, std::time(nullptr));
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

void QtPlatform::AtGameSize(QWidget& dialog) const {
    if (zoom > 1) {
        QFont font = dialog.font();
        font.setPixelSize(QFontInfo(font).pixelSize() * zoom);
        dialog.setFont(font);
    }
}

std::string QtPlatform::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(Translated(title));
    box.setLabelText(TranslatedLines(prompt));
    box.setTextValue(QString::fromStdString(defaultAnswer));
    AtGameSize(box);
    return box.exec() == QDialog::Accepted ? box.textValue().toStdString() : std::string();
}

namespace {

// A question that takes only Yes or No, and not by reflex: which keys it
// takes, and when, is the host's rule for every front end. The frame's
// close button leaves it open.
class YesNoBox : public QMessageBox {
public:
    YesNoBox(const QString& title, const QString& prompt, QWidget* parent)
        : QMessageBox(QMessageBox::Question, title, prompt, QMessageBox::Yes | QMessageBox::No,
                      parent) {
        setDefaultButton(QMessageBox::Yes);
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
        clock_.start();
        // The buttons get the keys first: every key is looked at on its way in.
        qApp->installEventFilter(this);
    }
    ~YesNoBox() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || (widget != this && !isAncestorOf(widget))) {
            return false;
        }
        if (type == QEvent::ShortcutOverride || type == QEvent::Shortcut) {
            return keys_.Deaf(clock_.elapsed());
        }
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = GameKeyCode(key->key());
        if (type == QEvent::KeyRelease) {
            // Auto-repeat sends releases too; the X server tells where it can.
            if (!key->isAutoRepeat() && StillHeld(*key) != true) {
                keys_.KeyUp(code);
            }
            // A button clicks on the release of a press it got: it gets none.
            return true;
        }
        using Verdict = host::QuestionKeys::Verdict;
        switch (keys_.KeyDown(code, key->isAutoRepeat(), clock_.elapsed())) {
        case Verdict::ChooseYes:
            Choose(QMessageBox::Yes);
            return true;
        case Verdict::ChooseNo:
            Choose(QMessageBox::No);
            return true;
        case Verdict::Answer:
            done(focusWidget() == static_cast<QWidget*>(button(QMessageBox::No))
                     ? QMessageBox::No
                     : QMessageBox::Yes);
            return true;
        case Verdict::Pass:
            return false;
        case Verdict::Ignore:
            break;
        }
        return true;
    }
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        clock_.restart();
        keys_ = host::QuestionKeys(0);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }

private:
    void Choose(StandardButton which) {
        button(which)->setFocus();
        setDefaultButton(which);
    }
    QElapsedTimer clock_;
    host::QuestionKeys keys_{0};
};

} // namespace

bool QtPlatform::AskYesNo(const std::string& prompt, const std::string& title) {
    YesNoBox box(Translated(title), TranslatedLines(prompt), QApplication::activeWindow());
    AtGameSize(box);
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

// A message that does not stop the game, titled after a menu entry (or the
// game's name without one).
QMessageBox* TellWithoutWaiting(QMessageBox::Icon icon, const char* menuEntry,
                                const QString& text) {
    const QString title = menuEntry != nullptr
                              ? QCoreApplication::translate("pelmar", menuEntry).remove('&')
                              : QGuiApplication::applicationDisplayName();
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    return box;
}

// Says what kept the help page from opening, without stopping the game.
void TellAboutHelp(const QString& text) {
    TellWithoutWaiting(QMessageBox::Information, "Como jogar...", text);
}

} // namespace

void QtPlatform::OpenHelp(const std::string& page) {
    const QString wanted = LocalHelpPage(QString::fromStdString(page));
    const QString path = FindHelpPage(wanted);
    if (path.isEmpty()) {
        TellAboutHelp(QCoreApplication::translate(
                          "pelmar", "A página de ajuda %1 não foi encontrada junto ao jogo.")
                          .arg(wanted));
        return;
    }
    // The page in a window of the game's own: no browser is needed. It stays
    // open beside the game, which goes on; Escape closes it.
    if (help_ == nullptr) {
        QWidget* main = QApplication::activeWindow();
        help_ = new QTextBrowser(main);
        help_->setWindowFlags(Qt::Window);
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->setOpenExternalLinks(true);
        help_->setWindowTitle(
            QCoreApplication::translate("pelmar", "Como jogar...").remove('&').remove("..."));
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), help_);
        QObject::connect(close, &QShortcut::activated, help_, &QWidget::close);
        AtGameSize(*help_);
        const QRect area = main != nullptr && main->screen() != nullptr
                               ? main->screen()->availableGeometry()
                               : QRect(0, 0, 1024, 768);
        help_->resize(std::min(560 * std::max(zoom, 1), area.width() * 9 / 10),
                      std::min(520 * std::max(zoom, 1), area.height() * 9 / 10));
    }
    help_->setSource(QUrl::fromLocalFile(path));
    help_->show();
    help_->raise();
    help_->activateWindow();
}

ui::ScreenSize QtPlatform::Screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    return {area.width() * ui::TwipsPerPixel, area.height() * ui::TwipsPerPixel};
}

void QtPlatform::ReplayFailed(const std::string& message) {
    qCritical("pelmar: the record cannot be played on, %s", message.c_str());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(2);
}

void QtPlatform::EndProgram() {
    ending_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

} // namespace qt

namespace qt {

std::string QtPlatform::ReadFile(const std::string& name) {
    return storage_.Read(name);
}

bool QtPlatform::ReplaceFile(const std::string& name, const std::string& bytes) {
    return storage_.Replace(name, bytes);
}

bool QtPlatform::UpdateFile(const std::string& name, const FileChange& change) {
    return storage_.Update(name, change);
}

void QtPlatform::ShowNotice(const ui::Notice& notice) {
    // The details are translated too: a reason is a text of the game, and a
    // folder has no translation, so it stays as it is.
    std::vector<std::string> details;
    for (const std::string& detail : notice.details) {
        details.push_back(Translated(detail).toStdString());
    }
    const std::string text = ui::Notice::Fill(Translated(notice.text).toStdString(), details);
    if (ending_) {
        std::fprintf(stderr, "pelmar: %s\n", text.c_str());
        return;
    }
    // A record is not the high scores' business: it goes under the game's name.
    const bool record = notice.text == game::notices::RecordNotKept;
    QMessageBox* box = TellWithoutWaiting(QMessageBox::Warning, record ? nullptr : "Os Melhores...",
                                          QString::fromStdString(text));
    AtGameSize(*box);
    box->adjustSize();
    // Above the window it belongs to: a score not saved is told just before
    // the play-again question, which comes up over the window's middle.
    if (const QWidget* window = box->parentWidget(); window != nullptr) {
        const QRect screen = window->screen()->availableGeometry();
        box->move(
            window->frameGeometry().center().x() - box->frameGeometry().width() / 2,
            std::max(screen.top(), window->frameGeometry().top() - box->frameGeometry().height()));
    }
}

} // namespace qt
