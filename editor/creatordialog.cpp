#include "creatordialog.h"

#include "aboutdialog.h"
#include "accessibility.h"
#include "classfilereader.h"
#include "controlids.h"
#include "cp1252.h"
#include "templateform.h"
#include "itemcatalogue.h"
#include "nativepath.h"
#include "predrawn.h"
#include "systemmenu.h"
#include "wheelguard.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The command table: which button click, list pick by the user or menu
// command runs which handler. A command without an entry does nothing.
struct Binding
{
    int id;
    void (CreatorDialog::*handler)();
};

constexpr Binding bindings[] = {
    {ControlId::Quit, &CreatorDialog::OnOK},
    {CommandId::Quit, &CreatorDialog::OnOK},
    {ControlId::WriteOut, &CreatorDialog::OnWriteOut},
    {CommandId::WriteOut, &CreatorDialog::OnWriteOut},
    {CommandId::OpenFolder, &CreatorDialog::OnOpenFolder},
    {ControlId::About, &CreatorDialog::openAbout},
    {CommandId::About, &CreatorDialog::openAbout},
    {CommandId::Help, &CreatorDialog::showHelp},
    {ControlId::LoadConfig, &CreatorDialog::OnLoadConfig},
    {CommandId::LoadConfig, &CreatorDialog::OnLoadConfig},
    {ControlId::NextClass, &CreatorDialog::OnNextClass},
    {CommandId::NextClass, &CreatorDialog::OnNextClass},
    {ControlId::PrevClass, &CreatorDialog::OnPrevClass},
    {CommandId::PreviousClass, &CreatorDialog::OnPrevClass},
    {ControlId::AddClass, &CreatorDialog::OnAddClass},
    {CommandId::AddClass, &CreatorDialog::OnAddClass},
    {CommandId::FirstClass, &CreatorDialog::OnFirstClass},
    {CommandId::LastClass, &CreatorDialog::OnLastClass},
    {ControlId::Calculate, &CreatorDialog::OnCalculate},
    {ControlId::SaveToMemory, &CreatorDialog::StoreForm},
    {ControlId::ItemList, &CreatorDialog::OnSelchangeItemList},
    {ControlId::AddItem, &CreatorDialog::OnAddItem},
    {ControlId::StartingWeaponList, &CreatorDialog::OnSelchangeStartingWeapon},
    {ControlId::ShowInventory, &CreatorDialog::OnShowInventory},
    {CommandId::ChangeActiveConfig, &CreatorDialog::ToggleActiveTeam},
};

// Menu 140, with the game folder's commands first. Shortcuts keep clear of
// the keys the boxes and lists use.
struct MenuCommand
{
    const char *menu;
    int id; // 0: a separator
    const char *text;
    const char *keys = "";
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
};

constexpr MenuCommand menuCommands[] = {
    {"&File", CommandId::OpenFolder, "Open &Folder...", "Ctrl+O"},
    {"&File", CommandId::RecentFolders, "Recent Folders"},
    {"&File", 0, ""},
    {"&File", CommandId::LoadConfig, "&Load Config", "Ctrl+L"},
    {"&File", CommandId::ChangeActiveConfig, "&Change Active-Config"},
    {"&File", CommandId::WriteOut, "&Write Out", "Ctrl+S"},
    {"&File", 0, ""},
    {"&File", CommandId::Quit, "&Quit", "Ctrl+Q"},
    {"Class", CommandId::AddClass, "Add Class", "Ctrl+N"},
    {"Class", CommandId::NextClass, "Next Class", "", QKeySequence::Forward},
    {"Class", CommandId::PreviousClass, "Previous Class", "", QKeySequence::Back},
    {"Class", CommandId::FirstClass, "First Class", "Alt+Home"},
    {"Class", CommandId::LastClass, "Last Class", "Alt+End"},
    {"&?", CommandId::About, "&About"},
    {"&?", CommandId::Help, "&Help", "", QKeySequence::HelpContents},
};

} // namespace

CreatorDialog::CreatorDialog(const GameFolder &folder, ReportSink log, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      gameFolder(folder), settingsLog(std::move(log))
{
    setWindowTitle(QStringLiteral("Tolvane Class Creator \u00A9[*]"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    buildControls();
    buildMenu();
    bindCommands();
    appendAboutToSystemMenu(this);

    fillLists();
    watchValueRanges();
    watchTextLimits();
    watchForChanges();
    startInFolder();
    control(ControlId::Quit)->setFocus();
}

void CreatorDialog::buildControls()
{
    auto *client = new TemplateForm(editorTemplate(), editorTemplateSize, "Tahoma", this);
    controls = client->controls();
    setUpAccessibility(client->form(), controls);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);
}

void CreatorDialog::buildMenu()
{
    auto *bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    QMenu *menu = nullptr;
    for (const MenuCommand &item : menuCommands) {
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
        action->setShortcut(item.standardKey != QKeySequence::UnknownKey
                                ? QKeySequence(item.standardKey)
                                : QKeySequence(QString::fromLatin1(item.keys), QKeySequence::PortableText));
        // The shortcuts work while the menu is closed, as the window's own.
        addAction(action);
        commands.insert(item.id, action);
    }
    layout()->setMenuBar(bar);
}

void CreatorDialog::bindCommands()
{
    for (const Binding &binding : bindings) {
        const auto run = [this, handler = binding.handler] {
            (this->*handler)();
            updateIndicators();
        };
        if (QAction *action = command(binding.id))
            connect(action, &QAction::triggered, this, run);
        else if (auto *button = control<QAbstractButton>(binding.id))
            connect(button, &QAbstractButton::clicked, this, run);
        else if (auto *list = control<QComboBox>(binding.id))
            connect(list, &QComboBox::activated, this, run);
    }
}

void CreatorDialog::fillLists()
{
    auto *resistance = control<QComboBox>(ControlId::Resistance);
    resistance->addItems({QStringLiteral("Normal Armor"), QStringLiteral("Fire Armor"), QStringLiteral("Blast Armor")});
    resistance->setCurrentIndex(0);

    auto *items = control<QComboBox>(ControlId::ItemList);
    for (const ItemInfo &item : itemCatalogue)
        items->addItem(fromCp1252(item.displayName));
    items->setCurrentIndex(0);

    auto *weapons = control<QComboBox>(ControlId::StartingWeaponList);
    for (const ItemInfo &item : itemCatalogue) {
        if (item.inStartList)
            weapons->addItem(fromCp1252(item.displayName));
    }
    weapons->setCurrentIndex(0);

    for (QComboBox *list : {resistance, items, weapons})
        ignoreWheelWithoutFocus(list);
}

bool CreatorDialog::OnSysCommand(unsigned command)
{
    if ((command & 0xFFF0) != 0x0010)
        return false;
    openAbout();
    return true;
}

std::filesystem::path CreatorDialog::activeClassFilePath() const
{
    return gameFolder.file(ClassFileName(editorState.sealsActive));
}

QString CreatorDialog::statusText() const
{
    return control<QLineEdit>(ControlId::StatusLine)->text();
}

void CreatorDialog::setStatusText(const QString &text)
{
    auto *line = control<QLineEdit>(ControlId::StatusLine);
    line->setText(text);
    line->setCursorPosition(0); // a long report shows its beginning
}

void CreatorDialog::OnOK()
{
    if (settleUnsavedChanges())
        done(QDialog::Accepted);
}

void CreatorDialog::openAbout()
{
    AboutDialog about(this);
    about.exec();
}

void CreatorDialog::showHelp()
{
    const QString text =
        tr("Tolvane Class Creator edits the player classes of one team.\n\n"
           "1. Load Config reads the active team's class file.\n"
           "2. Edit the class in the form.\n"
           "3. Save to Memory, Next Class or Prev. Class store the form into the classes in memory.\n"
           "4. Write Out stores the form and writes all classes to the class file.\n\n"
           "ADD! and the starting-weapon list change the class at once. Change Active-Config switches "
           "between the Seals and the Tangos file. Open Folder chooses the game folder. Quit, Load Config, "
           "Open Folder and Change Active-Config ask before they drop changes that are not written out.\n\n"
           "Game folder:\n%1\n\nActive class file:\n%2")
            .arg(displayPath(gameFolder.name()), QString::fromLatin1(ClassFileName(editorState.sealsActive)));
    QMessageBox box(QMessageBox::Information, tr("Help"), text, QMessageBox::Ok, this);
    box.exec();
}

bool CreatorDialog::askQuestion(const QString &text, bool yesIsDefault)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Question"), text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void CreatorDialog::warnNotWritten(const std::filesystem::path &path, const QString &reason)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"),
                    tr("%1 could not be written:\n%2\n\nThe file on disk is unchanged.").arg(displayPath(path), reason),
                    QMessageBox::Ok, this);
    box.exec();
}

// Enter presses the push button that has the focus and does nothing
// elsewhere; no button is the default, and Esc does nothing.
void CreatorDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()); button && button->isEnabled())
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

// Closing the window ends the program as "&Quit" does, after the same
// question when there are unsaved changes.
void CreatorDialog::closeEvent(QCloseEvent *event)
{
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Accepted);
}
