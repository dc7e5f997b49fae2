// The command bindings of the editor window: buttons, lists, menu commands,
// system commands, keys and shortcuts, and the about box they open.

#include "windowcommands.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include "aboutdialog.h"
#include "chartwindow.h"
#include "comparepane.h"
#include "classtablewindow.h"
#include "model/session/controlids.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>

using namespace tolvane;

namespace {

using Observer = std::string (*)(CreatorDialog &);

// clang-format off
std::string result(CreatorDialog &d) { return d.hasEnded() ? "ended" : ""; }
std::string status(CreatorDialog &d) { return d.statusText().toStdString(); }
std::string title(CreatorDialog &d) { return shownTitle(d).toStdString(); }
std::string classCount(CreatorDialog &d) { return std::to_string(d.state().table.classCount); }
std::string amountBox(CreatorDialog &d) { return d.control<QLineEdit>(ControlId::Amount)->text().toStdString(); }
std::string calculated(CreatorDialog &d) { return d.control<QLineEdit>(ControlId::CalculateResult)->text().toStdString(); }
std::string firstAmount(CreatorDialog &d) { return std::to_string(d.state().current().inventory[0]); }
std::string weapon(CreatorDialog &d) { return std::string(d.state().current().starting_weapon.view()); }
// clang-format on

std::string problemsShown(CreatorDialog &d)
{
    const auto *list = d.findChild<QListWidget *>();
    return list && list->isVisibleTo(&d) ? "shown" : "";
}
std::string chartShown(CreatorDialog &d)
{
    const auto *chart = d.findChild<ChartWindow *>();
    return chart && chart->isVisibleTo(&d) ? "shown" : "";
}

std::string compareShown(CreatorDialog &d)
{
    const auto *compare = d.findChild<ComparePane *>();
    return compare && compare->isVisibleTo(&d) ? "shown" : "";
}

std::string tableShown(CreatorDialog &d)
{
    const auto *table = d.classTable();
    return !table || !table->isVisibleTo(&d) ? "" : d.focusWidget() == table->filterBox() ? "filter" : "shown";
}

void twoClasses(CreatorDialog &d)
{
    d.state().lastIndex = 1;
    d.state().table.classCount = 2;
}
// Two classes, the first or the second shown, with the commands that depend on it updated.
void atFirstOfTwo(CreatorDialog &d)
{
    twoClasses(d);
    showRecord(d);
}
void atSecondOfTwo(CreatorDialog &d)
{
    d.state().currentIndex = 1;
    atFirstOfTwo(d);
}
void classAdded(CreatorDialog &d)
{
    d.parts().classList.addClass();
}
void addUndone(CreatorDialog &d)
{
    d.parts().classList.addClass();
    d.session().undo();
}
void abilities(CreatorDialog &d)
{
    d.state().current().classabilities = 0x805;
}
void amountTyped(CreatorDialog &d)
{
    d.control<QLineEdit>(ControlId::Amount)->setText(QStringLiteral("7"));
}
void fistsStored(CreatorDialog &d)
{
    d.state().current().inventory[1] = 9;
}

struct CommandRow
{
    const char *name;
    int id;                                        // a control, or a menu command
    const char *keys = nullptr;                    // its shortcut, typed in the class name box
    std::pair<Observer, const char *> expect = {}; // what only its action changes, and to what
    const char *modal = nullptr;                   // "class title" of the modal window it opens
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    void (*given)(CreatorDialog &) = nullptr; // the state it starts from
    const char *pick = nullptr;               // the entry a user picks from a list
};

using B = QMessageBox::StandardButton;
const char *const question = "QMessageBox Tolvane Class Creator";

// One row per button, list and menu command that has an action: its name,
// id, keys, what changes, the modal window and its answer, the state it
// starts from, the entry picked.
const CommandRow commandRows[] = {
    {"Quit", ControlId::Quit, "Alt+Q", {result, "ended"}},
    {"FileQuit", CommandId::Quit, "Ctrl+Q", {result, "ended"}},
    // The first class file of the empty folder is written only after a question.
    {"WriteOut", ControlId::WriteOut, "Alt+W", {}, question, B::No},
    {"FileWriteOut", CommandId::WriteOut, "Ctrl+S", {}, question, B::No},
    {"About", ControlId::About, "Alt+A", {}, "AboutDialog"},
    {"HelpAbout", CommandId::About, nullptr, {}, "AboutDialog"},
    {"Help", CommandId::Help, "F1", {}, "QMessageBox Help"},
    {"HelpAboutQt", CommandId::AboutQt, nullptr, {}, "QMessageBox About Qt"},
    {"ChangeActiveConfig", CommandId::ChangeActiveConfig, nullptr, {}, question, B::No},
    {"ShowInventory", ControlId::ShowInventory, nullptr, {}, "InventoryDialog Inventory of "},
    {"ClassShowInventory", CommandId::ShowInventory, "Ctrl+I", {}, "InventoryDialog Inventory of "},
    {"deleteCurrentClass", ControlId::DeleteClass, nullptr, {}, question, B::No, atSecondOfTwo},
    {"ClassDeleteClass", CommandId::DeleteClass, "Ctrl+Del", {}, question, B::Yes, atSecondOfTwo},
    {"ClassDuplicateClass", CommandId::DuplicateClass, "Ctrl+D", {classCount, "2"}},
    {.name = "ClassMoveClassUp",
     .id = CommandId::MoveClassUp,
     .keys = "Ctrl+Shift+Up",
     .expect = {status, "Moved []; @ Class 0 / 1 []"},
     .given = atSecondOfTwo},
    {.name = "ClassMoveClassDown",
     .id = CommandId::MoveClassDown,
     .keys = "Ctrl+Shift+Down",
     .expect = {status, "Moved []; @ Class 1 / 1 []"},
     .given = atFirstOfTwo},
    {"ClassGoToClass", CommandId::GoToClass, "Ctrl+G", {}, "GoToClassDialog Go to Class", B::Cancel},
    {"EditUndo", CommandId::Undo, nullptr, {classCount, "1"}, nullptr, B::Ok, classAdded},
    {"EditRedo", CommandId::Redo, nullptr, {classCount, "2"}, nullptr, B::Ok, addUndone},
    {"LoadConfig", ControlId::LoadConfig, "Alt+L", {status, "tvclass_seals.cfg not found: 1 new class"}},
    {"FileLoadConfig", CommandId::LoadConfig, "Ctrl+L", {status, "tvclass_seals.cfg not found: 1 new class"}},
    {"FileReviewChanges", CommandId::ReviewChanges, nullptr, {}, "ReviewDialog Review Changes", B::Close},
    {"FileExportClasses", CommandId::ExportClasses, nullptr, {}, "QFileDialog Export Classes", B::Cancel},
    {"FileImportClasses", CommandId::ImportClasses, nullptr, {}, "QFileDialog Import Classes", B::Cancel},
    {.name = "FileRestorePreviousVersion",
     .id = CommandId::RestorePreviousVersion,
     .modal = "QMessageBox Restore Previous Version"},
    {"FileProblems", CommandId::Problems, "F8", {problemsShown, "shown"}},
    {"ViewClassTable", CommandId::ClassTable, "Ctrl+T", {tableShown, "shown"}},
    {"ViewFilterClasses", CommandId::FilterClasses, "Ctrl+F", {tableShown, "filter"}},
    {"FileCompareWithFile", CommandId::CompareWithFile, nullptr, {}, "QFileDialog Compare with File", B::Cancel},
    {"FileCompareWithFolder", CommandId::CompareWithFolder, nullptr, {}, "QFileDialog Compare with Folder", B::Cancel},
    {"ViewChart", CommandId::Chart, nullptr, {chartShown, "shown"}},
    // The Tangos' file is missing here.
    {"ViewShowOtherTeam", CommandId::ShowOtherTeam, "Ctrl+Shift+T", {}, "QMessageBox Show Other Team"},
    // The Tangos' file is missing here: the other team cannot be shown.
    {"ClassCopyToOtherTeam", CommandId::CopyToOtherTeam, nullptr, {}, "QMessageBox Show Other Team"},
    {"ClassCompareTwoClasses", CommandId::CompareTwoClasses, "Ctrl+K", {compareShown, "shown"}},
    {"OpenFolder", CommandId::OpenFolder, "Ctrl+O", {}, "QFileDialog Open Folder", B::Cancel},
    // No samples beside the test program: it says so.
    {"FileCopySamples", CommandId::CopySamples, nullptr, {}, "QMessageBox Copy Samples"},
    {"NextClass", ControlId::NextClass, nullptr, {status, "@ Class 1 / 1 []"}, nullptr, B::Ok, twoClasses},
    {"ClassNextClass", CommandId::NextClass, "Alt+Right", {status, "@ Class 1 / 1 []"}, nullptr, B::Ok, twoClasses},
    {"PrevClass", ControlId::PrevClass, nullptr, {classCount, "1"}},
    {"ClassPreviousClass", CommandId::PreviousClass, "Alt+Left", {classCount, "1"}},
    {"appendClass", ControlId::AddClass, nullptr, {status, "@ Class to 1 [min=0 | 2]"}},
    {"ClassAddClass", CommandId::AddClass, "Ctrl+N", {status, "@ Class to 1 [min=0 | 2]"}},
    {"ClassFirstClass", CommandId::FirstClass, "Alt+Home", {status, "@ Class 0 / 1 []"}, nullptr, B::Ok, twoClasses},
    {"ClassLastClass", CommandId::LastClass, "Alt+End", {status, "@ Class 1 / 1 []"}, nullptr, B::Ok, twoClasses},
    {"Calculate", ControlId::Calculate, nullptr, {calculated, "5"}, nullptr, B::Ok, abilities},
    {"SaveToMemory", ControlId::SaveToMemory, "Alt+S", {title, "Tolvane Class Creator \u00A9 - Saving  "}},
    {"AddItem", ControlId::AddItem, nullptr, {firstAmount, "7"}, nullptr, B::Ok, amountTyped},
    {"ItemList", ControlId::ItemList, nullptr, {amountBox, "9"}, nullptr, B::Ok, fistsStored, "Fists"},
    {.name = "StartingWeapon",
     .id = ControlId::StartingWeaponList,
     .expect = {weapon, "weapon_fists"},
     .pick = "Fists"},
};

class CommandTest : public DialogRowTest<CommandRow>
{
protected:
    // Runs the command, then waits for its modal window or its change: a
    // button's mnemonic clicks it only after a short press animation.
    void expectItsAction(const std::function<void()> &run)
    {
        const CommandRow &row = GetParam();
        if (row.given)
            row.given(*dialog);
        if (row.modal)
            modals.expect({row.answer});
        run();
        const auto &[observe, expected] = row.expect;
        const auto done = [&] { return row.modal ? !modals.seen().empty() : observe(*dialog) == expected; };
        EXPECT_TRUE(QTest::qWaitFor(done, 2000));
        ASSERT_EQ(modals.seen().size(), row.modal ? 1u : 0u);
        if (row.modal) {
            const SeenModal &seen = modals.seen().front();
            EXPECT_EQ(seen.type == u"AboutDialog" ? seen.type : seen.type + u' ' + seen.title, row.modal);
        } else {
            EXPECT_EQ(observe(*dialog), expected);
        }
    }
};

TEST_P(CommandTest, ReachesItsAction)
{
    const CommandRow &row = GetParam();
    expectItsAction([&] {
        if (dialog->command(row.id))
            trigger(row.id);
        else if (row.pick)
            pick(control<QComboBox>(row.id), QString::fromLatin1(row.pick));
        else
            click(row.id);
    });
}

INSTANTIATE_TEST_SUITE_P(Bindings, CommandTest, ::testing::ValuesIn(commandRows), byRowName);

class ShortcutTest : public CommandTest
{};

// Typed while an edit box has the focus, where a shortcut is most likely to
// be taken by the box itself.
TEST_P(ShortcutTest, KeysReachTheActionFromAnEditBox)
{
    showDialog();
    control(ControlId::ClassName)->setFocus();
    expectItsAction(
        [&] { QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(GetParam().keys))); });
}

std::vector<CommandRow> rowsWithKeys()
{
    std::vector<CommandRow> rows;
    std::copy_if(std::begin(commandRows), std::end(commandRows), std::back_inserter(rows),
                 [](const CommandRow &row) { return row.keys; });
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Keys, ShortcutTest, ::testing::ValuesIn(rowsWithKeys()), byRowName);

using CommandTableTest = DialogTest;

TEST_F(CommandTableTest, EveryButtonAndMenuCommandHasARow)
{
    std::set<int> tested;
    for (const CommandRow &row : commandRows)
        tested.insert(row.id);
    for (QAction *action : dialog->findChildren<QAction *>(QRegularExpression(QStringLiteral("^command")))) {
        if (!action->isSeparator()) {
            EXPECT_TRUE(tested.count(controlIdOf(action))) << action->text().toStdString();
        }
    }
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->isEnabled()) {
            EXPECT_TRUE(tested.count(controlIdOf(button))) << button->text().toStdString();
        }
    }
}

// The Edit menu, chosen by mouse or keys, undoes the step it names wherever
// the focus is. The undo keys in a text box take back its typing first, then
// reach the classes, and the status line says so.
TEST_F(CommandTableTest, EditMenuActsOnTheClassesAndTheKeysOnTheTextBoxFirst)
{
    writeFile(QStringLiteral("tvclass_seals.cfg"), classFile({"Medic", "Sniper"}));
    restartDialog();
    showDialog();
    click(ControlId::LoadConfig);
    trigger(CommandId::LastClass);
    modals.expect({QMessageBox::Yes});
    trigger(CommandId::DeleteClass);

    auto *name = control<QLineEdit>(ControlId::ClassName);
    QWidget *resistance = control(ControlId::Resistance);
    enum How { MenuByMouse, MenuByKeys, Keys };
    const char *redone = "Redone: Delete Class Sniper";
    const struct
    {
        QWidget *focus;
        How how;
        const char *keys; // for MenuByKeys the letter of the entry
        const char *typed;
        const char *name;
        int classCount;
        const char *status;
        const char *undoText;
    } rows[] = {
        {name, MenuByMouse, "", nullptr, "Sniper", 2, "Undone: Delete Class Sniper", "Un&do"},
        {name, MenuByKeys, "R", nullptr, "Medic", 1, redone, "Un&do Delete Class Sniper"},
        {name, Keys, "Ctrl+Z", "Q", "Medic", 1, redone, "Un&do Delete Class Sniper"},
        {name, Keys, "Ctrl+Y", nullptr, "Q", 1, redone, "Un&do Store Class Q"},
        {name, Keys, "Ctrl+Z", nullptr, "Medic", 1, redone, "Un&do Delete Class Sniper"},
        {name, Keys, "Ctrl+Z", nullptr, "Sniper", 2, "Undone: Delete Class Sniper (the box had nothing to undo)",
         "Un&do"},
        {resistance, Keys, "Ctrl+Shift+Z", nullptr, "Medic", 1,
         "Redone: Delete Class Sniper (the box had nothing to redo)", "Un&do Delete Class Sniper"},
        {control(ControlId::Quit), Keys, "Ctrl+Z", nullptr, "Sniper", 2, "Undone: Delete Class Sniper", "Un&do"},
    };
    auto *bar = dialog->findChild<QMenuBar *>();
    QMenu *edit = nullptr;
    for (QAction *menu : bar->actions()) {
        if (menu->text() == QStringLiteral("E&dit"))
            edit = menu->menu();
    }
    ASSERT_NE(edit, nullptr);
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.keys) + " " + std::to_string(&row - rows));
        QApplication::setActiveWindow(dialog.get());
        row.focus->setFocus();
        if (row.typed)
            typeInto(name, QString::fromLatin1(row.typed));
        switch (row.how) {
        case MenuByMouse:
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(edit->menuAction()).center());
            ASSERT_TRUE(edit->isVisible());
            QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(command(CommandId::Undo)).center());
            break;
        case MenuByKeys:
            QTest::keyClick(row.focus, Qt::Key_D, Qt::AltModifier);
            ASSERT_TRUE(edit->isVisible());
            QTest::keyClick(edit, row.keys[0]);
            break;
        case Keys:
            QTest::keySequence(row.focus, QKeySequence(QString::fromLatin1(row.keys)));
            break;
        }
        EXPECT_FALSE(edit->isVisible());
        EXPECT_EQ(name->text(), row.name);
        EXPECT_EQ(dialog->state().table.classCount, row.classCount);
        EXPECT_EQ(dialog->statusText(), row.status);
        EXPECT_EQ(dialog->command(CommandId::Undo)->text(), row.undoText);
    }
}

enum class Outcome { StaysOpen, Closes, OpensAbout };

struct KeyRow
{
    int focus;
    Qt::Key key;
    Outcome outcome;
    // An Enter held down since before the window opened, as when Enter in
    // Explorer started the program, repeats into it.
    bool repeated = false;
};

void PrintTo(const KeyRow &row, std::ostream *os)
{
    *os << "key 0x" << std::hex << row.key << " on " << std::dec << row.focus;
}

using KeyTest = DialogRowTest<KeyRow>;

// Enter presses the focused push button and does nothing elsewhere; Esc does
// nothing at all, in particular it writes no class file.
TEST_P(KeyTest, EnterPressesOnlyAFocusedButtonAndEscDoesNothing)
{
    const KeyRow &row = GetParam();
    showDialog();
    control(row.focus)->setFocus();
    if (row.outcome == Outcome::OpensAbout)
        modals.expect({QMessageBox::Ok});

    if (row.repeated) {
        QKeyEvent press(QEvent::KeyPress, row.key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    } else {
        QTest::keyClick(QApplication::focusWidget(), row.key);
    }

    EXPECT_EQ(dialog->hasEnded(), row.outcome == Outcome::Closes);
    EXPECT_EQ(dialog->isVisible(), row.outcome != Outcome::Closes);
    EXPECT_EQ(modals.seen().size(), row.outcome == Outcome::OpensAbout ? 1u : 0u);
    EXPECT_TRUE(folderEntries().isEmpty());
}

const KeyRow keyRows[] = {{ControlId::Quit, Qt::Key_Return, Outcome::Closes},
                          {ControlId::Quit, Qt::Key_Return, Outcome::StaysOpen, true},
                          {ControlId::About, Qt::Key_Enter, Outcome::OpensAbout},
                          {ControlId::WriteOut, Qt::Key_Escape, Outcome::StaysOpen},
                          {ControlId::ClassName, Qt::Key_Return, Outcome::StaysOpen},
                          {ControlId::Resistance, Qt::Key_Return, Outcome::StaysOpen},
                          {ControlId::ClassName, Qt::Key_Escape, Outcome::StaysOpen}};
INSTANTIATE_TEST_SUITE_P(Keys, KeyTest, ::testing::ValuesIn(keyRows));

using AboutTest = DialogTest;

TEST_F(AboutTest, EnterEndsItWithOkAndEscWithCancel)
{
    const std::pair<Qt::Key, QDialog::DialogCode> rows[] = {{Qt::Key_Return, QDialog::Accepted},
                                                            {Qt::Key_Escape, QDialog::Rejected}};
    for (const auto &[key, result] : rows) {
        AboutDialog about(dialog.get());
        about.show();
        QApplication::setActiveWindow(&about);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_FALSE(about.isVisible()) << key;
        EXPECT_EQ(about.result(), result) << key;
    }
}

} // namespace
