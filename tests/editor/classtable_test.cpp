// The class table pane as a user drives it beside the form: what it shows,
// typing in its cells and its filter, its keys and menus, and the columns
// the settings keep.

#include "classtabletest.h"

#include "announcementlog.h"
#include "problemswindow.h"
#include "reviewwindows.h"
#include "userinput.h"

#include "bulkchangedialog.h"
#include "chartwindow.h"
#include "comparepane.h"
#include "classtablewindow.h"
#include "classdata/format/classfilereader.h"
#include "model/session/controlids.h"
#include "model/table/tablecolumns.h"
#include "gotoclassdialog.h"
#include "windowcommands.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTableView>

using namespace tolvane;

namespace {

// A row is the form's class: choosing it moves the form there, storing the
// form shows in its row; the summary follows the rows shown.
TEST_F(ClassTableTest, RowsAreTheClassesOfTheForm)
{
    openTable();
    EXPECT_EQ(rows(), "0  A, 1  B, 2  C");
    EXPECT_EQ(table->statusText(), "3 of 3 classes");
    EXPECT_EQ(cell(1, "Health").data().toString(), "90");
    const QAbstractItemModel *summary = table->findChild<QTableView *>(QStringLiteral("classSummary"))->model();
    EXPECT_EQ(summary->index(0, cell(0, "Health").column()).data().toString(), "90");
    EXPECT_EQ(summary->index(1, cell(0, "Health").column()).data().toString(), "96.667");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(control<QLineEdit>(ControlId::ClassName)->text(), "C");
    control<QLineEdit>(ControlId::ClassName)->setText(QStringLiteral("Cx"));
    click(ControlId::SaveToMemory);
    EXPECT_EQ(cell(2, "Classname").data().toString(), "Cx");
    EXPECT_EQ(rows(), "0  A, 1  B, 2  Cx");
}

// Typing in a cell stores as the form stores (the session's rows hold the
// rules); Enter moves down, Tab to the next cell; each edit is a step Undo
// in the table takes back.
TEST_F(ClassTableTest, CellsTakeTheFormsRulesAndUndo)
{
    openTable();
    typeInCell(cell(1, "Health"), QStringLiteral("12abc"));
    EXPECT_EQ(dialog->state().table.records[1].health, 12);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(command(CommandId::Undo)->text(), "Un&do Change Health on B");
    typeInCell(cell(0, "Class Speed"), QStringLiteral("1,5"), Qt::Key_Tab);
    EXPECT_EQ(dialog->state().table.records[0].speed, 1.0f);
    EXPECT_EQ(grid->currentIndex().column(), cell(0, "Jump Height").column());
    grid->setCurrentIndex(cell(2, "Sniper Scope"));
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(dialog->state().table.records[2].classabilities, 0x8000);
    EXPECT_EQ(control<QCheckBox>(ControlId::SniperScope)->isChecked(), true);
    keys("Ctrl+Z");
    keys("Ctrl+Z");
    EXPECT_EQ(dialog->state().table.records[2].classabilities, 0);
    EXPECT_EQ(dialog->state().table.records[1].health, 90);
}

// While a cell is edited, its box warns as the form's box does (the value
// hints' tests hold what each warning says).
TEST_F(ClassTableTest, CellEditorWarnsAsTheFormsBox)
{
    openTable();
    // A whole number's cell takes the keys its box takes: the digits.
    const std::tuple<const char *, QString, QString, QString> rows[] = {
        // column, typed, shown, warning
        {"Health", QStringLiteral("1500"), QStringLiteral("1500"),
         QStringLiteral("1500 is outside 0 to 999: the game will read 100 instead.")},
        {"Classname", QStringLiteral("\u03A9mega"), QStringLiteral("\u03A9mega"),
         QStringLiteral("The class file cannot hold \u03A9: written as ?.")},
        {"Health", QStringLiteral("95"), QStringLiteral("95"), QString()},
        {"Helmet", QStringLiteral("-7.5"), QStringLiteral("75"), QString()},
        {"Grenades", QStringLiteral("-7.5"), QStringLiteral("75"), QString()},
    };
    for (const auto &[title, typed, shown, hint] : rows) {
        SCOPED_TRACE(title);
        grid->setCurrentIndex(cell(0, title));
        grid->edit(grid->currentIndex());
        auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_TRUE(box);
        typeInto(box, typed);
        EXPECT_EQ(box->text(), shown);
        EXPECT_EQ(box->toolTip(), hint);
        EXPECT_EQ(box->palette().color(QPalette::Base) == QColor(255, 224, 160), !hint.isEmpty());
        QTest::keyClick(box, Qt::Key_Escape);
    }
}

// Filter and sort change the rows shown (never the file, as the session's
// rows show); a filter that cannot be read is tinted and says where.
TEST_F(ClassTableTest, FilterAndSortChangeOnlyWhatIsShown)
{
    openTable();
    grid->setFocus();
    keys("Ctrl+F");
    ASSERT_TRUE(table->filterBox()->hasFocus());
    typeInto(table->filterBox(), QStringLiteral("health < 100"));
    EXPECT_EQ(rows(), "1  B");
    EXPECT_EQ(table->statusText(), "1 of 3 classes");
    typeInto(table->filterBox(), QStringLiteral("helth < 100"));
    EXPECT_EQ(rows(), "0  A, 1  B, 2  C");
    EXPECT_EQ(table->filterBox()->palette().color(QPalette::Base), QColor(255, 224, 160));
    EXPECT_EQ(table->filterBox()->toolTip(),
              "Filter not read at character 1: no column named \"helth\"; all classes are shown");
    typeInto(table->filterBox(), QString());
    grid->setFocus();
    grid->setCurrentIndex(cell(0, "Health"));
    keys("Alt+Up");
    EXPECT_EQ(rows(), "1  B, 0  A, 2  C");
    EXPECT_TRUE(grid->horizontalHeader()->isSortIndicatorShown());
    keys("Alt+Home");
    EXPECT_EQ(rows(), "0  A, 1  B, 2  C");
    EXPECT_FALSE(grid->horizontalHeader()->isSortIndicatorShown());
}

// With a filter on, a row chosen by a click, by its header or by the keys
// moves the form there, also the only row shown, and what is typed next in
// the form goes to that class; while the filter hides the form's class, the
// title says so.
TEST_F(ClassTableTest, FormFollowsTheRowChosenUnderAFilter)
{
    openTable();
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"click",
         [this] {
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell(0, "Health")).center());
         }},
        {"row header",
         [this] {
             QHeaderView *header = grid->verticalHeader();
             QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                               QPoint(header->width() / 2, header->sectionViewportPosition(0) + 2));
         }},
        {"keys",
         [this] {
             grid->setFocus();
             QTest::keyClick(grid, Qt::Key_Down);
         }},
    };
    for (const auto &[way, choose] : ways) {
        SCOPED_TRACE(way);
        typeInto(table->filterBox(), QString());
        grid->setCurrentIndex(cell(0, "Classname"));
        ASSERT_EQ(control<QLineEdit>(ControlId::ClassName)->text(), "A");
        typeInto(table->filterBox(), QStringLiteral("health < 100"));
        ASSERT_EQ(grid->model()->rowCount(), 1);
        EXPECT_TRUE(shownTitle(*dialog).contains(QStringLiteral("Editing A (hidden by the class table's filter)")));
        choose();
        EXPECT_EQ(dialog->state().currentIndex, 1);
        EXPECT_TRUE(control<QLineEdit>(ControlId::ClassName)->text().startsWith(u'B'));
        EXPECT_FALSE(shownTitle(*dialog).contains(QStringLiteral("hidden")));
        typeInto(control<QLineEdit>(ControlId::ClassName), QStringLiteral("B") + way);
        click(ControlId::SaveToMemory);
        EXPECT_EQ(dialog->state().table.records[1].classname.view(), "B" + std::string(way));
        EXPECT_EQ(dialog->state().table.records[0].classname.view(), "A");
    }
}

// After a question, Compare Two Classes or the chart, opened from a cell,
// the focus is back in that cell.
TEST_F(ClassTableTest, FocusComesBackToTheCellItCameFrom)
{
    openTable();
    const auto closePane = [](QWidget *pane) {
        ASSERT_TRUE(pane && pane->isVisible());
        pane->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close)->click();
    };
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"question",
         [this] {
             modals.look = [](QDialog &asked) {
                 if (auto *change = qobject_cast<BulkChangeDialog *>(&asked))
                     typeInto(change->findChild<QLineEdit *>(), QStringLiteral("+5"));
             };
             modals.expect({QMessageBox::Ok, QMessageBox::No});
             keys("Ctrl+E");
             modals.look = nullptr;
         }},
        {"notice",
         [this] {
             modals.expect({QMessageBox::Ok});
             trigger(CommandId::ShowOtherTeam);
         }},
        {"compare",
         [this, closePane] {
             keys("Ctrl+K");
             closePane(dialog->findChild<ComparePane *>());
         }},
        {"chart",
         [this, closePane] {
             trigger(CommandId::Chart);
             closePane(dialog->findChild<ChartWindow *>());
         }},
    };
    for (const auto &[way, open] : ways) {
        SCOPED_TRACE(way);
        typeInto(table->filterBox(), QStringLiteral("not A"));
        QApplication::setActiveWindow(table);
        grid->setFocus();
        grid->setCurrentIndex(cell(1, "Health"));
        keys("Ctrl+Shift+A");
        open();
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == grid; }, 500))
            << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nothing");
        EXPECT_EQ(grid->currentIndex(), cell(1, "Health"));
    }
}

// Hidden and moved columns and their widths come back in the next run, and
// the window lies on the screen.
TEST_F(ClassTableTest, ColumnsComeBackAsTheUserLeftThem)
{
    openTable();
    EXPECT_TRUE(table->screen()->availableGeometry().contains(table->geometry()));
    const int config = cell(0, "Config File").column(), health = cell(0, "Health").column();
    grid->setCurrentIndex(cell(0, "Config File"));
    menu("Hide Column");
    grid->setCurrentIndex(cell(0, "Health"));
    QTest::keySequence(table, QKeySequence(QStringLiteral("Ctrl+Shift+Left")));
    const int healthAt = grid->horizontalHeader()->visualIndex(health);
    grid->setColumnWidth(health, 123);
    table->close();
    restartDialog();
    openTable();
    EXPECT_TRUE(grid->isColumnHidden(config));
    EXPECT_EQ(grid->horizontalHeader()->visualIndex(health), healthAt);
    EXPECT_EQ(grid->columnWidth(health), 123);
    menu("Reset Columns");
    EXPECT_FALSE(grid->isColumnHidden(config));
    EXPECT_TRUE(grid->isColumnHidden(cell(0, "Grenades").column()));
}

// A screen reader hears the current cell with its class and column, and
// what the sort, the selection and the filter changed; Tab leaves the table.
TEST_F(ClassTableTest, SaysTheCurrentCellAndWhatChanged)
{
    const AnnouncementLog log;
    openTable();
    EXPECT_TRUE(grid->hasFocus());
    const QString opened = log.said();
    EXPECT_TRUE(opened.endsWith(". 0  A, Classname, A")) << opened.toStdString();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(log.said(), "1  B, Classname, B. @ Class 1 / 2 [B]");
    grid->setCurrentIndex(cell(1, "Class Speed"));
    const QString speed = log.said();
    EXPECT_TRUE(speed.startsWith("1  B, Class Speed, 1.000000, line ") && speed.contains(": TCC003 speed 10.5"))
        << speed.toStdString();
    keys("Alt+Down");
    EXPECT_EQ(log.said(), "Sorted by Class Speed, highest first");
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(log.said().endsWith("2 classes selected"));
    typeInto(table->filterBox(), QStringLiteral("health < 100"));
    EXPECT_EQ(log.said(), "1 of 3 classes; 2 selected, 1 of them hidden by the filter");
    grid->setFocus();
    log.said();
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_FALSE(grid->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(grid->hasFocus());
    const QString back = log.said();
    EXPECT_TRUE(back.startsWith("1  B, Class Speed, 1.000000")) << back.toStdString();
}

// Go to Class opens on its list, where a screen reader reads the current
// class; typing there lists the classes holding it, which Up and Down in
// Find move through, each said with its place among them.
TEST_F(ClassTableTest, GoToClassListsAndSaysTheClassesFound)
{
    showDialog();
    const AnnouncementLog log;
    GoToClassDialog goTo({"Pointman", "Marksman", "Breacher", "Marine"}, 2, dialog.get());
    goTo.show();
    QApplication::setActiveWindow(&goTo);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&goTo));
    auto *list = goTo.findChild<QListWidget *>();
    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name), "Classes");
    QTest::keyClicks(list, QStringLiteral("m"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("AR"));
    QStringList shown;
    for (int row = 0; row < list->count(); ++row)
        shown << list->item(row)->text();
    EXPECT_EQ(shown.join(u'|'), "1  Marksman|3  Marine");
    EXPECT_EQ(goTo.chosenSlot(), 1);
    EXPECT_EQ(log.said(), "2 of 4 classes; 1  Marksman, 1 of 2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(goTo.chosenSlot(), 3);
    EXPECT_EQ(log.said(), "3  Marine, 2 of 2");
    typeInto(goTo.findChild<QLineEdit *>(), QStringLiteral("x"));
    EXPECT_EQ(goTo.chosenSlot(), -1);
    EXPECT_EQ(log.said(), "0 of 4 classes");
}

} // namespace
