#include "creatordialog.h"

#include "aboutdialog.h"
#include "accessibility.h"
#include "model/session/controlids.h"
#include "cp1252.h"
#include "classdata/format/itemcatalogue.h"
#include "nativepath.h"
#include "placelabel.h"
#include "predrawn.h"
#include "recentfolders.h"
#include "screenfit.h"
#include "systemmenu.h"
#include "templateform.h"
#include "classdata/files/userdata.h"
#include "wheelguard.h"
#include "windowcommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

using namespace tolvane;

CreatorDialog::CreatorDialog(const GameFolder &folder, ReportSink log, FolderOrigin origin, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      recoveryTimer(new QTimer(this)),
      editing(*this, folder,
              {std::move(log), ::recentFolders, keepRecentFolders, userDataFolder(),
               pathFromQt(QCoreApplication::applicationDirPath()),
               pathFromQt(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))})
{
    // A few seconds after a change, not on every keystroke; never over a
    // question, which may be about the very classes.
    recoveryTimer->setSingleShot(true);
    recoveryTimer->setInterval(recoveryDelayMs);
    connect(recoveryTimer, &QTimer::timeout, this, [this] {
        if (QApplication::activeModalWidget())
            recoveryTimer->start();
        else
            editing.keepRecovery();
    });
    setWindowTitle(QStringLiteral("Tolvane Class Creator \u00A9[*]"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    buildControls();
    buildMenu();
    bindCommands();
    appendAboutToSystemMenu(this);

    fillLists();
    watchValueRanges();
    watchForChanges();
    watchUndoKeys();
    editing.start(origin);
    control(ControlId::Quit)->setFocus();
}

void CreatorDialog::buildControls()
{
    auto *client = new TemplateForm(editorTemplate(), editorFormSize, "Tahoma", this);
    controls = client->controls();
    setUpAccessibility(client->form(), controls);

    // The form scrolls in a window too small for it; the status line stays
    // along the window's bottom edge, outside the form.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client, 1);
    // The active team and the game folder stay in view at its right end.
    auto *statusRow = new QHBoxLayout;
    statusRow->setSpacing(0);
    statusRow->addWidget(control(ControlId::StatusLine), 1);
    placeLabel = new PlaceLabel(this);
    statusRow->addWidget(placeLabel);
    layout->addLayout(statusRow);
}

void CreatorDialog::buildMenu()
{
    auto *bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    QMenu *menu = nullptr;
    for (const WindowCommand &item : windowCommands) {
        if (!item.menu)
            continue;
        const QString menuTitle = QString::fromLatin1(item.menu);
        if (!menu || menu->title() != menuTitle)
            menu = bar->addMenu(menuTitle);
        if (!item.id) {
            menu->addSeparator();
            continue;
        }
        if (item.id == CommandId::RecentFolders) {
            recentFolders = menu->addMenu(QString::fromLatin1(item.text));
            commands.insert(item.id, recentFolders->menuAction());
            continue;
        }
        QAction *action = menu->addAction(QString::fromLatin1(item.text));
        action->setObjectName(QStringLiteral("command%1").arg(item.id));
        action->setShortcuts(
            item.standardKey != QKeySequence::UnknownKey
                ? QList<QKeySequence>{QKeySequence(item.standardKey)}
                : QKeySequence::listFromString(QString::fromLatin1(item.keys), QKeySequence::PortableText));
        // The shortcuts work while the menu is closed, as the window's own.
        addAction(action);
        commands.insert(item.id, action);
    }
    layout()->setMenuBar(bar);
}

// Each command runs from its menu entry and its control; the Problems window,
// when open, follows the classes after it.
void CreatorDialog::bindCommands()
{
    for (const WindowCommand &item : windowCommands) {
        if (!item.run)
            continue;
        const auto run = [this, command = item.run] {
            command(*this);
            refreshProblems();
        };
        if (QAction *action = item.menu ? command(item.id) : nullptr)
            connect(action, &QAction::triggered, this, run);
        if (auto *button = control<QAbstractButton>(item.control))
            connect(button, &QAbstractButton::clicked, this, run);
        else if (auto *list = control<QComboBox>(item.control))
            connect(list, &QComboBox::activated, this, run);
    }
}

void CreatorDialog::fillLists()
{
    auto *resistance = control<QComboBox>(ControlId::Resistance);
    for (std::string_view entry : resistanceEntries)
        resistance->addItem(QString::fromLatin1(entry));
    resistance->setCurrentIndex(0);

    auto *items = control<QComboBox>(ControlId::ItemList);
    for (const ItemInfo &item : itemCatalogue)
        items->addItem(fromCp1252(item.displayName));
    items->setCurrentIndex(0);

    auto *weapons = control<QComboBox>(ControlId::StartingWeaponList);
    for (std::string_view name : startingWeaponEntries())
        weapons->addItem(fromCp1252(name));
    weapons->setCurrentIndex(0);

    for (QComboBox *list : {resistance, items, weapons})
        ignoreWheelWithoutFocus(list);
}

QString CreatorDialog::statusText() const
{
    return control<QLineEdit>(ControlId::StatusLine)->text();
}

void CreatorDialog::setStatus(const std::string &text)
{
    auto *line = control<QLineEdit>(ControlId::StatusLine);
    line->setText(QString::fromStdString(text));
    line->setCursorPosition(0); // a long report shows its beginning
    announce(line->text());
    // A message on more lines makes the window taller where it has to.
    if (isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        layout()->activate();
        moveOntoScreen(this);
    }
}

// The name is shown exactly: a "[*]" in it is escaped from Qt's placeholder.
void CreatorDialog::setTitle(const std::string &title)
{
    setWindowTitle(QString::fromStdString(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"))
                   + QStringLiteral(" [*]"));
}

void CreatorDialog::setUnsavedMark(bool unsaved)
{
    setWindowModified(unsaved);
    if (!recoveryTimer->isActive())
        recoveryTimer->start();
}

void CreatorDialog::setTeamText(const std::string &text)
{
    if (QAction *toggle = command(CommandId::ChangeActiveConfig))
        toggle->setText(QString::fromStdString(text));
}

void CreatorDialog::quit()
{
    if (editing.quit())
        done(QDialog::Accepted);
}

void CreatorDialog::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

namespace {

// The buttons of each kind of question: the answer, the button that gives it
// and its text (empty: the button's own).
struct AnswerButton
{
    EditorView::Answer answer;
    QMessageBox::StandardButton button;
    const char *text = "";
};

std::vector<AnswerButton> buttonsFor(EditorView::Choices choices)
{
    using A = EditorView::Answer;
    using B = QMessageBox::StandardButton;
    switch (choices) {
    case EditorView::Choices::YesNo:
        return {{A::Yes, B::Yes}, {A::No, B::No}};
    case EditorView::Choices::WriteOutDiscardCancel:
        return {{A::WriteOut, B::Save, "&Write Out"}, {A::Discard, B::Discard, "&Discard"}, {A::Cancel, B::Cancel}};
    case EditorView::Choices::MergeReplaceReloadCancel:
        return {{A::Merge, B::Save, "&Merge"},
                {A::Replace, B::Discard, "Re&place"},
                {A::Reload, B::Reset, "Re&load from Disk"},
                {A::Cancel, B::Cancel}};
    case EditorView::Choices::KeepFileTakeMineCancel:
        return {{A::KeepFile, B::Save, "&Keep the File's Values"},
                {A::TakeMine, B::Discard, "&Take This Session's Values"},
                {A::Cancel, B::Cancel}};
    case EditorView::Choices::RestoreDiscard:
        return {{A::Restore, B::Save, "&Restore"}, {A::Discard, B::Discard, "&Discard"}};
    }
    return {};
}

} // namespace

// Questions with more than two answers are warnings; Esc gives the safe
// answer: Cancel, or for a restore, Restore.
EditorView::Answer CreatorDialog::ask(const Question &question)
{
    const std::vector<AnswerButton> buttons = buttonsFor(question.choices);
    QMessageBox box(buttons.size() > 2 || question.choices == Choices::RestoreDiscard ? QMessageBox::Warning
                                                                                      : QMessageBox::NoIcon,
                    QStringLiteral("Tolvane Class Creator"), QString::fromStdString(question.text), {}, this);
    for (const AnswerButton &answer : buttons) {
        box.addButton(answer.button);
        if (*answer.text)
            box.button(answer.button)->setText(tr(answer.text));
        if (answer.answer == question.byDefault)
            box.setDefaultButton(answer.button);
    }
    const Answer onEscape = question.choices == Choices::RestoreDiscard ? Answer::Restore
                            : question.choices == Choices::YesNo        ? Answer::No
                                                                        : Answer::Cancel;
    if (question.choices != Choices::YesNo) {
        for (const AnswerButton &answer : buttons) {
            if (answer.answer == onEscape)
                box.setEscapeButton(answer.button);
        }
    }
    QPushButton *review = question.aboutWriting ? box.addButton(tr("&Review Changes..."), QMessageBox::ActionRole)
                                                : nullptr;
    // Review Changes opens the review over the window; the question comes back.
    int clicked;
    while (clicked = box.exec(), review && box.clickedButton() == review)
        openReview();
    for (const AnswerButton &answer : buttons) {
        if (clicked == answer.button)
            return answer.answer;
    }
    return onEscape;
}

void CreatorDialog::tell(const Notice &notice)
{
    const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning};
    QMessageBox box(icons[int(notice.icon)], QString::fromStdString(notice.title), QString::fromStdString(notice.text),
                    QMessageBox::Ok, this);
    box.exec();
}

// Enter presses the push button that has the focus and does nothing
// elsewhere; no button is the default, and Esc does nothing. An Enter held
// down since before the window opened (the key that started the program in
// Explorer) repeats into the window: it presses nothing, so Quit keeps the
// focus at start without ending a run that has barely begun.
void CreatorDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(focusWidget());
            button && button->isEnabled() && !event->isAutoRepeat())
            button->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

// The folder chooser of a start without a game folder opens over the window.
void CreatorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QMetaObject::invokeMethod(
        this, [this] { editing.askForGameFolder(); }, Qt::QueuedConnection);
}

// Closing the window ends the program as "&Quit" does, after the same
// question when there are unsaved changes.
void CreatorDialog::closeEvent(QCloseEvent *event)
{
    if (!editing.quit()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Accepted);
}
