#pragma once

// Shared by the editor window tests: a CreatorDialog on a scratch folder, its
// controls and commands by id, and an answerer for the modal boxes it opens.

#include "../model/sessiontesthelpers.h"
#include "classdata/format/classfilewriter.h"
#include "creatordialog.h"
#include "nativepath.h"
#include "classdata/files/recoverystore.h"
#include "classdata/files/userdata.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Texts in failures as text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// The id in a control's or a command's object name ("control1010",
// "command40001"); 0 for any other object.
inline int controlIdOf(const QObject *object)
{
    const QString name = object->objectName();
    return name.startsWith(u"control") || name.startsWith(u"command") ? name.mid(7).toInt() : 0;
}

// The form shows the current class again, as after a command.
inline void showRecord(CreatorDialog &dialog)
{
    tolvane::FormValues form = dialog.form();
    dialog.session().show(form);
}

// What a modal window looked like when the answerer answered it.
struct SeenModal
{
    QString type; // class name, "QMessageBox" or "AboutDialog"
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QStringList buttonTexts; // a message box's, without "&"
    QStringList items;       // a list's entries
};

// Answers the modal windows that open while it lives, in order, one queued
// answer each: a message box by clicking that button, any other dialog by
// accept() for Ok or Yes and reject() otherwise. A modal window with no
// answer left is a test failure and is rejected, so a test never hangs.
class ModalAnswerer
{
public:
    ModalAnswerer()
    {
        // A timer does not fire while its own slot runs: the second one
        // answers what opens while the test looks at a window (a Save button
        // clicked in a view opens a file dialog).
        for (QTimer *each : {&timer, &nestedTimer}) {
            QObject::connect(each, &QTimer::timeout, [this] { poll(); });
            each->start(5);
        }
    }

    void expect(const std::vector<QMessageBox::StandardButton> &answers)
    {
        queued.insert(queued.end(), answers.begin(), answers.end());
    }
    // Answers queued but not used, because their window never opened.
    std::size_t unused() const { return queued.size(); }
    // What the test does with each modal window before it is answered (picks
    // a file in a file dialog, looks at a view).
    std::function<void(QDialog &)> look;
    const std::vector<SeenModal> &seen() const { return answered; }

private:
    void poll()
    {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible() || modal->property("answeredByTest").toBool())
            return;
        modal->setProperty("answeredByTest", true);
        // A window shown again is answered again.
        QObject::connect(
            modal, &QDialog::finished, modal, [modal] { modal->setProperty("answeredByTest", false); },
            Qt::SingleShotConnection);

        SeenModal &seen = answered.emplace_back();
        seen.type = QString::fromLatin1(modal->metaObject()->className());
        seen.title = modal->windowTitle();
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box) {
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            if (QAbstractButton *defaultButton = box->defaultButton())
                seen.defaultButton = box->standardButton(defaultButton);
            for (QAbstractButton *button : box->buttons())
                seen.buttonTexts << QString(button->text()).remove(u'&');
        } else if (auto *text = modal->findChild<QPlainTextEdit *>()) {
            seen.text = text->toPlainText();
        }
        if (auto *list = modal->findChild<QListWidget *>()) {
            for (int row = 0; row < list->count(); ++row)
                seen.items << list->item(row)->text();
        }
        if (look)
            look(*modal);
        const QMessageBox::StandardButton answer = queued.empty() ? QMessageBox::NoButton : queued.front();
        if (queued.empty())
            ADD_FAILURE() << "unexpected modal " << seen.type.toStdString() << " \"" << seen.text.toStdString() << "\"";
        else
            queued.pop_front();
        QAbstractButton *button = box ? answer == QMessageBox::Apply ? actionButton(*box) : box->button(answer)
                                      : nullptr;
        if (box && !button && answer != QMessageBox::NoButton)
            ADD_FAILURE() << "message box has no button " << int(answer);
        if (button)
            button->click();
        else
            answer == QMessageBox::Ok || answer == QMessageBox::Yes ? modal->accept() : modal->reject();
    }

    // Apply stands for a box's own action button, such as Review Changes.
    static QAbstractButton *actionButton(QMessageBox &box)
    {
        for (QAbstractButton *button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::ActionRole)
                return button;
        }
        return nullptr;
    }

    QTimer timer;
    QTimer nestedTimer;
    std::deque<QMessageBox::StandardButton> queued;
    std::vector<SeenModal> answered;
};

// A CreatorDialog on an empty scratch folder, its settings log in `log`.
// Base is ::testing::Test or ::testing::TestWithParam<T>.
template <typename Base = ::testing::Test>
class DialogFixture : public Base
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        restartDialog();
    }

    void TearDown() override
    {
        dialog.reset();
        EXPECT_EQ(modals.unused(), 0u) << "an expected modal window never opened";
    }

    // Starts the window again on the scratch folder as it is now, with an
    // empty log, as a new run of the program would; after a crash, with the
    // recovery file the last run kept.
    void restartDialog(bool afterACrash = false)
    {
        dialog.reset();
        if (!afterACrash)
            tolvane::RecoveryStore(tolvane::recoveryFolder(tolvane::userDataFolder()))
                .remove(pathFromQt(scratch.path()));
        log.clear();
        dialog = std::make_unique<CreatorDialog>(tolvane::GameFolder::at(pathFromQt(scratch.path())), logSink());
    }

    // Shows the window and makes it active, for focus and key tests.
    void showDialog()
    {
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    // The control of the template id; throws when there is none.
    template <typename T = QWidget>
    T *control(int id) const
    {
        if (T *widget = dialog->control<T>(id))
            return widget;
        throw std::runtime_error("no control " + std::to_string(id) + " of the requested kind");
    }

    // The menu command of the menu id; throws when there is none.
    QAction *command(int id) const
    {
        if (QAction *action = dialog->command(id))
            return action;
        throw std::runtime_error("no command " + std::to_string(id));
    }

    // The box a user knows by this label, or by this name when it has no label.
    QWidget *labelled(const QString &name) const
    {
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            if (QString(label->text()).remove(QLatin1Char('&')) == name && label->buddy())
                return label->buddy();
        }
        for (QWidget *widget : dialog->findChildren<QWidget *>()) {
            if (widget->accessibleName() == name)
                return widget;
        }
        throw std::runtime_error("nothing labelled " + name.toStdString());
    }

    void click(int id) { control<QAbstractButton>(id)->click(); }
    void trigger(int id) { command(id)->trigger(); }

    QString path(const QString &name) const { return scratch.filePath(name); }

    // Answers the next file dialog with the file at path.
    void pickFile(const QString &path)
    {
        modals.expect({QMessageBox::Ok});
        modals.look = [path](QDialog &modal) {
            if (auto *files = qobject_cast<QFileDialog *>(&modal))
                files->selectFile(path);
        };
    }

    void writeFile(const QString &name, const std::string &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
    }

    std::string readFile(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    // Names in the scratch folder, sorted.
    QStringList folderEntries() const
    {
        return QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir scratch;
    // What the dialog reported on standard output.
    std::string log;
    ReportSink logSink()
    {
        return [this](std::string_view line) { log += line; };
    }
    ModalAnswerer modals;
    std::unique_ptr<CreatorDialog> dialog;
};

// The title as the window shows it: Qt's mark of unsaved changes, or
// nothing, in place of "[*]".
inline QString shownTitle(const QWidget &window)
{
    return QString(window.windowTitle()).replace(QStringLiteral("[*]"), window.isWindowModified() ? "*" : "");
}

using DialogTest = DialogFixture<>;
template <typename Row>
using DialogRowTest = DialogFixture<::testing::TestWithParam<Row>>;
