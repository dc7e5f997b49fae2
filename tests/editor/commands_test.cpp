// The command bindings of the editor window: buttons, lists, menu commands,
// system commands, keys and shortcuts, and the about box they open.

#include "dialogtesthelpers.h"
#include "userinput.h"

#include "aboutdialog.h"
#include "dialogtemplate.h"
#include "picturelabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <algorithm>
#include <set>

namespace {

using Observer = std::string (*)(CreatorDialog &);

std::string result(CreatorDialog &d) { return std::to_string(d.result()); }
std::string files(CreatorDialog &d) { return d.folder().entryList(QDir::Files).join(u' ').toStdString(); }
std::string status(CreatorDialog &d) { return d.statusText().toStdString(); }
std::string title(CreatorDialog &d) { return d.windowTitle().toStdString(); }
std::string classCount(CreatorDialog &d) { return std::to_string(d.state().table.classCount); }
std::string amountBox(CreatorDialog &d) { return d.control<QLineEdit>(1064)->text().toStdString(); }
std::string calculated(CreatorDialog &d) { return d.control<QLineEdit>(1055)->text().toStdString(); }
std::string firstAmount(CreatorDialog &d) { return std::to_string(d.state().current().inventory[0]); }

void twoClasses(CreatorDialog &d)
{
    d.state().lastIndex = 1;
    d.state().table.classCount = 2;
}

void atSecondOfTwo(CreatorDialog &d)
{
    twoClasses(d);
    d.state().currentIndex = 1;
}

struct CommandRow
{
    const char *name;
    int id; // a control, or a menu command from 40000 on
    void (*prepare)(CreatorDialog &) = nullptr;
    const char *pick = nullptr;       // the entry a user picks from a list
    const char *modal = nullptr;      // "class title" of the modal window it opens
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    Observer observe = nullptr;
    const char *expected = "";
};

void PrintTo(const CommandRow &row, std::ostream *os)
{
    *os << row.name;
}

// One row per button, list and menu command that has an action, each with
// something its action, and only its action, would change.
const CommandRow commandRows[] = {
    {"Quit", 1, nullptr, nullptr, nullptr, QMessageBox::NoButton, result, "1"},
    {"FileQuit", 40007, nullptr, nullptr, nullptr, QMessageBox::NoButton, result, "1"},
    {"WriteOut", 2, nullptr, nullptr, nullptr, QMessageBox::NoButton, files, "tvclass_seals.cfg"},
    {"FileWriteOut", 40005, nullptr, nullptr, nullptr, QMessageBox::NoButton, files, "tvclass_seals.cfg"},
    {"About", 3, nullptr, nullptr, "AboutDialog", QMessageBox::Ok},
    {"HelpAbout", 40002, nullptr, nullptr, "AboutDialog", QMessageBox::Ok},
    {"Help", 40003, nullptr, nullptr, "QMessageBox Help", QMessageBox::Ok},
    {"ChangeActiveConfig", 40013, nullptr, nullptr, "QMessageBox Question", QMessageBox::No},
    {"ShowInventory", 1107, nullptr, nullptr, "QMessageBox Error", QMessageBox::Ok},
    {"LoadConfig", 1003, nullptr, nullptr, nullptr, QMessageBox::NoButton, status, "1 Config Classes Read"},
    {"FileLoadConfig", 40004, nullptr, nullptr, nullptr, QMessageBox::NoButton, status, "1 Config Classes Read"},
    {"NextClass", 1004, twoClasses, nullptr, nullptr, QMessageBox::NoButton, status, "@ Class 1 / 1 []"},
    {"ClassNextClass", 40009, twoClasses, nullptr, nullptr, QMessageBox::NoButton, status, "@ Class 1 / 1 []"},
    {"PrevClass", 1005, nullptr, nullptr, nullptr, QMessageBox::NoButton, classCount, "1"},
    {"ClassPreviousClass", 40010, nullptr, nullptr, nullptr, QMessageBox::NoButton, classCount, "1"},
    {"AddClass", 1006, nullptr, nullptr, nullptr, QMessageBox::NoButton, status, "@ Class to 1 [min=0 | 2]"},
    {"ClassAddClass", 40008, nullptr, nullptr, nullptr, QMessageBox::NoButton, status, "@ Class to 1 [min=0 | 2]"},
    {"ClassFirstClass", 40011, atSecondOfTwo, nullptr, nullptr, QMessageBox::NoButton, status, "@ Class 0 / 1 []"},
    {"ClassLastClass", 40012, twoClasses, nullptr, nullptr, QMessageBox::NoButton, status, "@ Class 1 / 1 []"},
    {"Calculate", 1054, [](CreatorDialog &d) { d.state().current().classabilities = 0x805; }, nullptr, nullptr,
     QMessageBox::NoButton, calculated, "5"},
    {"SaveToMemory", 1076, nullptr, nullptr, nullptr, QMessageBox::NoButton, title,
     "Tolvane Class Creator \u00A9 - Saving  "},
    {"AddItem", 1108, [](CreatorDialog &d) { d.control<QLineEdit>(1064)->setText(QStringLiteral("7")); }, nullptr,
     nullptr, QMessageBox::NoButton, firstAmount, "7"},
    {"ItemList", 1063, [](CreatorDialog &d) { d.state().current().inventory[1] = 9; }, "Fists", nullptr,
     QMessageBox::NoButton, amountBox, "9"},
    {"StartingWeapon", 1110, nullptr, "Fists", nullptr, QMessageBox::NoButton, status,
     "Forced [weapon_fists] as Initial Weapon for []"},
};

class CommandTest : public DialogRowTest<CommandRow>
{
protected:
    void run(const CommandRow &row)
    {
        if (row.id >= 40000)
            trigger(row.id);
        else if (row.pick)
            pick(control<QComboBox>(row.id), QString::fromLatin1(row.pick));
        else
            click(row.id);
    }
};

TEST_P(CommandTest, ReachesItsAction)
{
    const CommandRow &row = GetParam();
    if (row.prepare)
        row.prepare(*dialog);
    if (row.modal)
        modals.expect({row.answer});
    run(row);

    if (row.modal) {
        ASSERT_EQ(modals.seen().size(), 1u);
        const SeenModal &seen = modals.seen().front();
        const QString shown = seen.type == u"AboutDialog" ? seen.type : seen.type + u' ' + seen.title;
        EXPECT_EQ(shown, QString::fromLatin1(row.modal));
    } else {
        EXPECT_TRUE(modals.seen().empty());
    }
    if (row.observe) {
        EXPECT_EQ(row.observe(*dialog), row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Bindings, CommandTest, ::testing::ValuesIn(commandRows),
                         [](const auto &info) { return std::string(info.param.name); });

using CommandTableTest = DialogTest;

TEST_F(CommandTableTest, EveryButtonAndMenuCommandHasARow)
{
    std::set<int> tested;
    for (const CommandRow &row : commandRows)
        tested.insert(row.id);
    for (QAction *action : dialog->findChildren<QAction *>(QRegularExpression(QStringLiteral("^command")))) {
        if (!action->isSeparator()) {
            EXPECT_TRUE(tested.count(action->objectName().mid(7).toInt())) << action->text().toStdString();
        }
    }
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->isEnabled()) {
            EXPECT_TRUE(tested.count(button->property("controlId").toInt())) << button->text().toStdString();
        }
    }
}

struct SysCommandRow
{
    unsigned command;
    bool opensAbout;
};

void PrintTo(const SysCommandRow &row, std::ostream *os)
{
    *os << "0x" << std::hex << row.command;
}

class SysCommandTest : public DialogRowTest<SysCommandRow>
{
};

TEST_P(SysCommandTest, OnlyTheAboutCommandsOpenTheAboutBox)
{
    const SysCommandRow &row = GetParam();
    if (row.opensAbout)
        modals.expect({QMessageBox::Ok});
    EXPECT_EQ(dialog->OnSysCommand(row.command), row.opensAbout);
    EXPECT_EQ(modals.seen().size(), row.opensAbout ? 1u : 0u);
    if (row.opensAbout) {
        EXPECT_EQ(modals.seen().front().type, QStringLiteral("AboutDialog"));
    }
}

INSTANTIATE_TEST_SUITE_P(Values, SysCommandTest,
                         ::testing::Values(SysCommandRow{0x0010, true}, SysCommandRow{0x0011, true},
                                           SysCommandRow{0x001F, true}, SysCommandRow{0x0000, false},
                                           SysCommandRow{0x0020, false}, SysCommandRow{0xF010, false},
                                           SysCommandRow{0xF060, false}));

enum class Outcome { StaysOpen, Closes, OpensAbout };

struct KeyRow
{
    int focus;
    Qt::Key key;
    Outcome outcome;
};

void PrintTo(const KeyRow &row, std::ostream *os)
{
    *os << "key 0x" << std::hex << row.key << " on " << std::dec << row.focus;
}

class KeyTest : public DialogRowTest<KeyRow>
{
};

// Enter presses the focused push button and does nothing elsewhere; Esc does
// nothing at all, in particular it writes no class file.
TEST_P(KeyTest, EnterPressesOnlyAFocusedButtonAndEscDoesNothing)
{
    const KeyRow &row = GetParam();
    showDialog();
    control(row.focus)->setFocus();
    if (row.outcome == Outcome::OpensAbout)
        modals.expect({QMessageBox::Ok});
    const bool ticked = row.focus == 1012 && control<QCheckBox>(1012)->isChecked();

    QTest::keyClick(QApplication::focusWidget(), row.key);

    EXPECT_EQ(dialog->isVisible(), row.outcome != Outcome::Closes);
    EXPECT_EQ(dialog->result(), row.outcome == Outcome::Closes ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(modals.seen().size(), row.outcome == Outcome::OpensAbout ? 1u : 0u);
    EXPECT_TRUE(folderEntries().isEmpty());
    if (row.focus == 1012) {
        EXPECT_EQ(control<QCheckBox>(1012)->isChecked(), ticked);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTest,
                         ::testing::Values(KeyRow{1, Qt::Key_Return, Outcome::Closes},
                                           KeyRow{1, Qt::Key_Enter, Outcome::Closes},
                                           KeyRow{3, Qt::Key_Return, Outcome::OpensAbout},
                                           KeyRow{2, Qt::Key_Escape, Outcome::StaysOpen},
                                           KeyRow{1010, Qt::Key_Return, Outcome::StaysOpen},
                                           KeyRow{1048, Qt::Key_Enter, Outcome::StaysOpen},
                                           KeyRow{1030, Qt::Key_Return, Outcome::StaysOpen},
                                           KeyRow{1063, Qt::Key_Return, Outcome::StaysOpen},
                                           KeyRow{1012, Qt::Key_Return, Outcome::StaysOpen},
                                           KeyRow{1010, Qt::Key_Escape, Outcome::StaysOpen}));

using WindowCloseTest = DialogTest;

TEST_F(WindowCloseTest, ClosingEndsAsQuitDoesAndWritesNothing)
{
    showDialog();
    control<QLineEdit>(1010)->setText(QStringLiteral("Medic"));
    EXPECT_TRUE(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(folderEntries().isEmpty());
    EXPECT_EQ(dialog->state().table.classCount, 0);
    EXPECT_EQ(log.str(), "Error opening tvcc.cfg\n");
}

struct ShortcutRow
{
    const char *keys;
    int target; // a menu command or a push button
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
};

void PrintTo(const ShortcutRow &row, std::ostream *os)
{
    *os << row.keys;
}

class ShortcutTest : public DialogRowTest<ShortcutRow>
{
};

// Typed while an edit box has the focus, where a shortcut is most likely to
// be taken by the box itself.
TEST_P(ShortcutTest, KeysReachTheirCommandFromAnEditBox)
{
    const ShortcutRow &row = GetParam();
    showDialog();
    control(1010)->setFocus();
    if (row.answer != QMessageBox::NoButton)
        modals.expect({row.answer});
    QObject *target = row.target >= 40000 ? static_cast<QObject *>(command(row.target)) : control(row.target);
    QSignalSpy spy(target, row.target >= 40000 ? SIGNAL(triggered(bool)) : SIGNAL(clicked(bool)));

    QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(row.keys)));
    // A button's mnemonic clicks it after a short press animation.
    EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() == 1; }, 2000));
}

INSTANTIATE_TEST_SUITE_P(Keys, ShortcutTest,
                         ::testing::Values(ShortcutRow{"Ctrl+L", 40004}, ShortcutRow{"Ctrl+S", 40005},
                                           ShortcutRow{"Ctrl+Q", 40007}, ShortcutRow{"Ctrl+N", 40008},
                                           ShortcutRow{"Alt+Right", 40009}, ShortcutRow{"Alt+Left", 40010},
                                           ShortcutRow{"Alt+Home", 40011}, ShortcutRow{"Alt+End", 40012},
                                           ShortcutRow{"F1", 40003, QMessageBox::Ok},
                                           ShortcutRow{"Alt+S", 1076}, ShortcutRow{"Alt+W", 2},
                                           ShortcutRow{"Alt+L", 1003}, ShortcutRow{"Alt+Q", 1},
                                           ShortcutRow{"Alt+A", 3, QMessageBox::Ok}));

using AboutTest = DialogTest;

TEST_F(AboutTest, ShowsTheCreditsAndTheRequestsWithoutACaption)
{
    dialog->show();
    AboutDialog about(dialog.get());
    about.show();
    EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);

    QStringList texts;
    for (const QLabel *label : about.findChildren<QLabel *>())
        texts.append(label->text());
    EXPECT_TRUE(texts.contains(QStringLiteral("by the Tolvane Class Creator authors")));
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const QString &t) { return t.endsWith(u"classcreator@tolvane.example.org"); }),
              1);
    ASSERT_NE(about.findChild<QGroupBox *>(), nullptr);
    EXPECT_EQ(about.findChild<QGroupBox *>()->title(), QStringLiteral("Programm Information"));
    ASSERT_NE(about.findChild<PictureLabel *>(), nullptr);
    EXPECT_EQ(about.findChild<PictureLabel *>()->bitmapId(), 146);
    auto *ok = about.findChild<QPushButton *>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());

    const DialogUnits units(ok->font());
    EXPECT_EQ(ok->font().pointSize(), 8);
    EXPECT_EQ(about.size(), units.toPixels(QSize(235, 222)) + QSize(6, 6));
    const QPoint offset = about.geometry().center() - dialog->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 4);
}

struct AboutKeyRow
{
    Qt::Key key;
    QDialog::DialogCode result;
};

class AboutKeyTest : public DialogRowTest<AboutKeyRow>
{
};

TEST_P(AboutKeyTest, EnterEndsItWithOkAndEscWithCancel)
{
    AboutDialog about(dialog.get());
    about.show();
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QTest::keyClick(QApplication::focusWidget(), GetParam().key);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Keys, AboutKeyTest,
                         ::testing::Values(AboutKeyRow{Qt::Key_Return, QDialog::Accepted},
                                           AboutKeyRow{Qt::Key_Escape, QDialog::Rejected}));

} // namespace
