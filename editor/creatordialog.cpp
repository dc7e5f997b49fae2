#include "creatordialog.h"

#include "aboutdialog.h"
#include "accessibility.h"
#include "accessibleevents.h"
#include "model/table/announcements.h"
#include "model/session/controlids.h"
#include "cp1252.h"
#include "classdata/format/itemcatalogue.h"
#include "model/session/formbindings.h"
#include "nativepath.h"
#include "panedock.h"
#include "placelabel.h"
#include "windowpanes.h"
#include "predrawn.h"
#include "recentfolders.h"
#include "systemmenu.h"
#include "templateform.h"
#include "classdata/files/userdata.h"
#include "wheelguard.h"
#include "formboxes.h"
#include "rangehints.h"
#include "undokeys.h"
#include "windowcommands.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDragEnterEvent>
#include <QDockWidget>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
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

CreatorDialog::CreatorDialog(const GameFolder &folder, ReportSink log, FolderOrigin origin, std::optional<Team> team,
                             QWidget *parent)
    : QMainWindow(parent), recoveryTimer(new QTimer(this)), questions(this, [this] { reviewWindows.openReview(); }),
      classListWindows(this), compareWindows(*this), sheetReview(this), versionPicker(this),
      tablePart(*this, compareWindows), places{pathFromQt(QCoreApplication::applicationDirPath()),
                                               pathFromQt(QStandardPaths::writableLocation(
                                                   QStandardPaths::DocumentsLocation))},
      first(firstFolder({folder, origin}, ::recentFolders(), places.programFolder)),
      editing(*this, questions, first.folder, {std::move(log), ::recentFolders, keepRecentFolders, userDataFolder()}),
      editingParts(editing, {classListWindows, classListWindows, tablePart, compareWindows, sheetReview, versionPicker},
                   places),
      reviewWindows(*this, editingParts.review)
{
    // A few seconds after a change, not on every keystroke; never over a
    // question, which may be about the very classes. The window itself is
    // no question, even where it runs modally.
    recoveryTimer->setSingleShot(true);
    recoveryTimer->setInterval(recoveryDelayMs);
    connect(recoveryTimer, &QTimer::timeout, this, [this] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != this)
            recoveryTimer->start();
        else
            editingParts.recovery.keepRecovery();
    });
    setWindowTitle(QStringLiteral("Tolvane Class Creator \u00A9[*]"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    buildControls();
    buildMenu();
    bindCommands();
    appendAboutToSystemMenu(this);
    panes->restore({{classTablePane, [this] { tablePart.dock(); }},
                    {problemsPane, [this] { reviewWindows.problemsPane(); }},
                    {chartPane, [this] { compareWindows.chartPane(); }},
                    {comparePane, [this] { compareWindows.comparePane(); }}});

    fillLists();
    watchValueRanges(controls);
    watchFormBoxes(controls, this, [this] {
        if (!fillingForm)
            editing.refreshIndicators(form());
    });
    watchUndoKeys();
    editing.start(team);
    control(ControlId::Quit)->setFocus();
}

// The panes show the session's classes: they go while it is still there.
CreatorDialog::~CreatorDialog()
{
    tablePart.stopFollowingFocus();
    qDeleteAll(findChildren<QDockWidget *>(Qt::FindDirectChildrenOnly));
}

void CreatorDialog::buildControls()
{
    auto *central = new QWidget(this);
    auto *client = new TemplateForm(editorTemplate(), editorFormSize, "Tahoma", central, Framing::InGroupBoxes);
    controls = client->controls();
    setUpAccessibility(client->form(), controls);

    // The form scrolls in a window too small for it; the status line stays
    // along the bottom edge of the form's part of the window.
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client, 1);
    // The active team and the game folder stay in view at its right end.
    auto *statusRow = new QHBoxLayout;
    statusRow->setSpacing(0);
    statusRow->addWidget(control(ControlId::StatusLine), 1);
    placeLabel = new PlaceLabel(central);
    statusRow->addWidget(placeLabel);
    layout->addLayout(statusRow);
    setCentralWidget(central);
    panes = std::make_unique<WindowPanes>(*this, *client, *control(ControlId::StatusLine));
    setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);
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
    setMenuBar(bar);
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
            refreshViews();
        };
        if (QAction *action = item.menu ? command(item.id) : nullptr)
            connect(action, &QAction::triggered, this, run);
        if (auto *button = control<QAbstractButton>(item.control))
            connect(button, &QAbstractButton::clicked, this, run);
        else if (auto *list = control<QComboBox>(item.control))
            connect(list, &QComboBox::activated, this, run);
    }
}

// Each list takes its entries at once, which tells the list and whoever
// follows it of one change rather than one for each entry.
void CreatorDialog::fillLists()
{
    const auto fill = [this](int id, const QStringList &entries) {
        auto *list = control<QComboBox>(id);
        list->addItems(entries);
        list->setCurrentIndex(0);
        ignoreWheelWithoutFocus(list);
    };
    QStringList entries;
    for (std::string_view entry : resistanceEntries)
        entries.append(QString::fromLatin1(entry));
    fill(ControlId::Resistance, std::exchange(entries, {}));
    for (const ItemInfo &item : itemCatalogue)
        entries.append(fromCp1252(item.displayName));
    fill(ControlId::ItemList, std::exchange(entries, {}));
    for (std::string_view name : startingWeaponEntries())
        entries.append(fromCp1252(name));
    fill(ControlId::StartingWeaponList, entries);
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
        end();
}

void CreatorDialog::end()
{
    ended = true;
    panes->save();
    hide();
    emit finished();
}

void CreatorDialog::showPane(PaneDock *pane)
{
    panes->show(pane, tablePart.madeDock());
}

PaneDock *CreatorDialog::addPane(PaneDock *pane)
{
    return panes->add(pane);
}

void CreatorDialog::makeRoomForPanes()
{
    panes->makeRoom();
}

void CreatorDialog::about()
{
    AboutDialog box(this);
    box.exec();
}

void CreatorDialog::help()
{
    questions.tell({Questions::Icon::Information, "Help", helpText(editing)});
}

void CreatorDialog::refreshViews()
{
    reviewWindows.refreshProblems();
    compareWindows.refreshPanes();
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
        QMainWindow::keyPressEvent(event);
    }
}

// The folder chooser of a start without a game folder opens over the window.
void CreatorDialog::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Panes the settings brought back, once the form has fitted the window.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, &CreatorDialog::makeRoomForPanes);
    if (std::exchange(first.ask, false))
        QMetaObject::invokeMethod(
            this, [this] { editingParts.folders.askForGameFolder(first.refused); }, Qt::QueuedConnection);
}

// The status line and the menu bar take a new font after the form: the
// window fits the form again with theirs.
void CreatorDialog::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        findChild<TemplateForm *>()->refitWindow();
}

// Closing the window ends the program as "&Quit" does, after the same
// question when there are unsaved changes.
void CreatorDialog::closeEvent(QCloseEvent *event)
{
    if (!ended && !editing.quit()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!ended)
        end();
}

// The box with the focus says its new value, by name, instead of what
// filling it tells.
void CreatorDialog::showForm(const FormValues &form)
{
    auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (focused && !isAncestorOf(focused))
        focused = nullptr;
    const QString before = focused ? focused->text() : QString();
    {
        const QuietTextBoxes quiet;
        fillingForm = true;
        showFormIn(controls, form);
        fillingForm = false;
    }
    if (!focused || focused->text() == before)
        return;
    const QAccessibleInterface *box = QAccessible::queryAccessibleInterface(focused);
    const QString name = box ? box->text(QAccessible::Name) : QString();
    announce(QString::fromStdString(valueAnnouncement(name.toStdString(), focused->text().toStdString())));
}

FormValues CreatorDialog::form() const
{
    return formIn(controls);
}

void CreatorDialog::showPosition(int first, int last, int current)
{
    auto *scrollBar = control<QScrollBar>(ControlId::HiddenScrollBar);
    scrollBar->setRange(first, last);
    scrollBar->setValue(current);
}

void CreatorDialog::showPlace(const std::string &text)
{
    placeLabel->setPlace(QString::fromStdString(text));
}

// The first box of key that can be edited: of the two boxes of max_45cal,
// "Pistol Mag"; of the abilities, the first one. An inventory amount shows its
// item and puts the focus in the Amount box; other inventory problems go to the
// item list.
void CreatorDialog::focusField(const std::string &key, int item)
{
    QWidget *box = nullptr;
    for (const FormBinding &binding : formBindings) {
        if (!box && binding.key == key && control(binding.id)->isEnabled())
            box = control(binding.id);
    }
    if (key == "inventory") {
        box = control(ControlId::ItemList);
        if (item >= 0) {
            control<QComboBox>(ControlId::ItemList)->setCurrentIndex(item);
            editingParts.inventory.pickItem();
            box = control(ControlId::Amount);
        }
    }
    if (!box)
        return;
    box->setFocus(Qt::OtherFocusReason);
    // At once, while the Problems window still has the focus.
    findChild<TemplateForm *>()->scrollIntoView(box);
}

namespace {

// A step's name in a menu entry: "&" shows as itself.
QString menuText(const QString &command, const std::string &step)
{
    if (step.empty())
        return command;
    return command + QLatin1Char(' ') + QString::fromStdString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The folder a drop names: a folder itself, or the folder of a class file.
std::filesystem::path droppedFolderOf(const QMimeData *mime)
{
    if (!mime->hasUrls() || mime->urls().size() != 1)
        return {};
    return droppedFolder(pathFromUrl(mime->urls().front()));
}

} // namespace

void CreatorDialog::showClassCommands(const ClassCommands &available)
{
    control(ControlId::DeleteClass)->setEnabled(available.deleteClass);
    const std::pair<int, bool> enabled[] = {{CommandId::DeleteClass, available.deleteClass},
                                            {CommandId::MoveClassUp, available.moveUp},
                                            {CommandId::MoveClassDown, available.moveDown},
                                            {CommandId::Undo, !available.undo.empty()},
                                            {CommandId::Redo, !available.redo.empty()}};
    for (const auto &[id, on] : enabled)
        command(id)->setEnabled(on);
    command(CommandId::Undo)->setText(menuText(tr("Un&do"), available.undo));
    command(CommandId::Redo)->setText(menuText(tr("&Redo"), available.redo));
}

void CreatorDialog::watchUndoKeys()
{
    for (QWidget *control : std::as_const(controls)) {
        auto *list = qobject_cast<QComboBox *>(control);
        auto *box = list ? list->lineEdit() : qobject_cast<QLineEdit *>(control);
        if (box && !box->isReadOnly())
            control->installEventFilter(
                new UndoKeys(box, command(CommandId::Undo), command(CommandId::Redo),
                             [this](QLineEdit *typedIn, bool redo) { undoKeyIn(typedIn, redo); }));
    }
}

void CreatorDialog::undoKeyIn(QLineEdit *box, bool redo)
{
    if (redo ? box->isRedoAvailable() : box->isUndoAvailable()) {
        redo ? box->redo() : box->undo();
        return;
    }
    redo ? editing.redo(true) : editing.undo(true);
    refreshViews();
}

void CreatorDialog::showFolders(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &recent)
{
    setWindowFilePath(displayPath(folder));
    // The menu may be refilled from one of its own entries, so old entries
    // go only once that entry has finished.
    for (QAction *action : recentFolders->actions()) {
        recentFolders->removeAction(action);
        action->deleteLater();
    }
    int number = 0;
    for (const std::filesystem::path &path : recent) {
        QAction *action = recentFolders->addAction(QStringLiteral("&%1 %2").arg(++number).arg(displayPath(path)));
        connect(action, &QAction::triggered, this,
                [this, path] { editingParts.folders.openFolder(GameFolder::at(path)); });
    }
    recentFolders->setEnabled(number > 0);
}

void CreatorDialog::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFolderOf(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CreatorDialog::dropEvent(QDropEvent *event)
{
    const std::filesystem::path folder = droppedFolderOf(event->mimeData());
    if (folder.empty())
        return;
    event->acceptProposedAction();
    // Questions open once the drop has ended, not inside it.
    QMetaObject::invokeMethod(
        this, [this, folder] { editingParts.folders.openFolder(GameFolder::at(folder)); }, Qt::QueuedConnection);
}

ClassTableWindow *CreatorDialog::classTable() const
{
    return tablePart.window();
}
