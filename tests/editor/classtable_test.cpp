// The class table window as a user drives it beside the form: what it shows,
// typing in its cells and its filter, its keys and menus, and the columns
// the settings keep.

#include "announcementlog.h"
#include "dialogtesthelpers.h"
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

// Texts in failures as text.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

class ClassTableTest : public DialogTest
{
protected:
    // Loads A, B and C, B with a health of 90 and a speed the game reads
    // otherwise, and opens the table with Ctrl+T.
    void openTable()
    {
        ClassTable classes;
        for (const char *name : {"A", "B", "C"}) {
            applyBlockStartDefaults(classes.records[std::size_t(classes.classCount)]);
            classes.records[std::size_t(classes.classCount++)].classname.assign(name);
        }
        classes.records[1].health = 90;
        std::string bytes = classFileBytes(classes, "\n");
        bytes.replace(bytes.find("speed", bytes.find("classname B")), 14, "speed 10.5");
        writeFile(QStringLiteral("tvclass_seals.cfg"), bytes);
        showDialog();
        trigger(CommandId::LoadConfig);
        keys("Ctrl+T");
        table = dialog->classTable();
        ASSERT_TRUE(table && table->isVisible());
        // As the window manager would, which the offscreen platform has not.
        QApplication::setActiveWindow(table);
        ASSERT_TRUE(QTest::qWaitForWindowActive(table));
        grid = table->table();
    }

    QModelIndex cell(int row, const char *title) const
    {
        QAbstractItemModel *model = grid->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->headerData(column, Qt::Horizontal).toString() == QLatin1String(title))
                return model->index(row, column);
        }
        ADD_FAILURE() << "no column " << title;
        return {};
    }

    // The row headers in the order shown: "1  B".
    QString rows() const
    {
        QStringList names;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            names << grid->model()->headerData(row, Qt::Vertical).toString();
        return names.join(u", ");
    }

    void menu(const char *text)
    {
        for (QAction *action : table->findChildren<QAction *>()) {
            if (QString(action->text()).remove(u'&') == QLatin1String(text))
                return action->trigger();
        }
        ADD_FAILURE() << "no command " << text;
    }

    // Types into the cell, from its first key, and ends with key.
    void typeInCell(const QModelIndex &index, const QString &text, Qt::Key key = Qt::Key_Return)
    {
        grid->setFocus();
        grid->setCurrentIndex(index);
        QTest::keyClicks(grid, text.left(1));
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
        QTest::keyClick(QApplication::focusWidget(), key);
        // The editor hands its text over once the key is handled, and the
        // table shows the stored value after that (a timer of 0).
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Typed where the focus is.
    static void keys(const char *sequence)
    {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(sequence)));
    }

    ClassTableWindow *table = nullptr;
    QTableView *grid = nullptr;
};

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

// Typing in a cell stores as the form stores, and a cell of a digits box
// takes the digits alone, as the box does; Enter moves down, Tab to the next
// cell; each edit is a step Undo in the table takes back.
TEST_F(ClassTableTest, CellsTakeTheFormsRulesAndUndo)
{
    openTable();
    typeInCell(cell(0, "Max Rockets"), QStringLiteral("7.9"));
    EXPECT_EQ(dialog->state().table.records[0].max_rockets, 79);
    typeInCell(cell(2, "Helmet"), QStringLiteral("-5"));
    EXPECT_EQ(dialog->state().table.records[2].combat_helmet, 5);
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

// While a cell is edited, its box warns as the form's box does.
TEST_F(ClassTableTest, CellEditorWarnsAsTheFormsBox)
{
    openTable();
    const std::tuple<const char *, QString, QString> rows[] = {
        {"Health", QStringLiteral("1500"), QStringLiteral("1500 is outside 0 to 999: the game will read 100 instead.")},
        {"Class Speed", QStringLiteral("10.5"),
         QStringLiteral("10.5 is outside 0 to 10: the game will read 1.000000 instead.")},
        {"Jump Height", QStringLiteral("fast"), QStringLiteral("Not a number: 0.000000 is stored.")},
        {"Classname", QStringLiteral("\u03A9mega"), QStringLiteral("The class file cannot hold \u03A9: written as ?.")},
        {"Classname", QStringLiteral("Kommando Spezialkraefte der Marine"),
         QStringLiteral("Only the first 31 characters are kept: Kommando Spezialkraefte der Mar")},
        {"Health", QStringLiteral("95"), QString()},
    };
    for (const auto &[title, typed, hint] : rows) {
        SCOPED_TRACE(title);
        grid->setCurrentIndex(cell(0, title));
        grid->edit(grid->currentIndex());
        auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_TRUE(box);
        typeInto(box, typed);
        EXPECT_EQ(box->toolTip(), hint);
        EXPECT_EQ(box->palette().color(QPalette::Base) == QColor(255, 224, 160), !hint.isEmpty());
        QTest::keyClick(box, Qt::Key_Escape);
    }
    // A whole number's cell takes the keys its box takes: the digits.
    for (const char *title : {"Helmet", "Grenades"}) {
        grid->setCurrentIndex(cell(0, title));
        grid->edit(grid->currentIndex());
        auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_TRUE(box);
        typeInto(box, QStringLiteral("-7.5"));
        EXPECT_EQ(box->text(), QStringLiteral("75")) << title;
        QTest::keyClick(box, Qt::Key_Escape);
    }
}

// Filter and sort change the rows shown, never the file; a filter that
// cannot be read is tinted and says where.
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
    trigger(CommandId::WriteOut);
    EXPECT_EQ(rows(), "1  B, 0  A, 2  C");
    const std::string file = readFile(QStringLiteral("tvclass_seals.cfg"));
    EXPECT_LT(file.find("classname A"), file.find("classname B"));
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

// Ctrl+E changes the selected classes as one step; classes the filter hides
// change only after a question whose default is No.
TEST_F(ClassTableTest, SelectedClassesChangeAsOneStep)
{
    openTable();
    // Types a change into Ctrl+E's dialog when it opens, as the answers to
    // the other questions come, and returns the value the dialog showed.
    const auto change = [this](const QString &typed) {
        QString now;
        modals.look = [&](QDialog &asked) {
            if (!qobject_cast<BulkChangeDialog *>(&asked))
                return;
            now = asked.findChild<QLabel *>(QStringLiteral("valueNow"))->text();
            typeInto(asked.findChild<QLineEdit *>(), typed);
        };
        QApplication::setActiveWindow(table);
        grid->setFocus();
        keys("Ctrl+E");
        modals.look = nullptr;
        return now;
    };
    grid->setFocus();
    grid->setCurrentIndex(cell(0, "Health"));
    keys("Ctrl+A");
    modals.expect({QMessageBox::Ok});
    EXPECT_EQ(change(QStringLiteral("+5")), "(different)");
    EXPECT_EQ(cell(1, "Health").data().toString(), "95");
    EXPECT_EQ(command(CommandId::Undo)->text(), "Un&do Change Health on 3 classes");

    typeInto(table->filterBox(), QStringLiteral("B"));
    EXPECT_EQ(table->statusText(), "1 of 3 classes; 3 selected, 2 of them hidden by the filter");
    modals.expect({QMessageBox::Ok, QMessageBox::No, QMessageBox::Ok, QMessageBox::Yes});
    change(QStringLiteral("x2"));
    EXPECT_EQ(dialog->state().table.records[0].health, 105);
    change(QStringLiteral("x2"));
    EXPECT_EQ(dialog->state().table.records[0].health, 210);
    ASSERT_EQ(modals.seen().size(), 5u);
    EXPECT_EQ(modals.seen()[2].defaultButton, QMessageBox::No);
    EXPECT_EQ(modals.seen()[2].text, "Change Health on 3 classes? 2 of them are hidden by the filter.");
}

// Ctrl+C copies the selected cells under their titles, as spreadsheets
// paste them; Ctrl+V pastes them into other rows after a question whose
// default is No, as one step Undo takes back.
TEST_F(ClassTableTest, CopiedCellsPasteIntoOtherRows)
{
    openTable();
    grid->setFocus();
    grid->setCurrentIndex(cell(1, "Health"));
    grid->selectionModel()->select(cell(1, "Class Speed"), QItemSelectionModel::Select);
    keys("Ctrl+C");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Health\tClass Speed\n90\t1.000000\n");
    grid->setCurrentIndex(cell(0, "Classname"));
    grid->selectionModel()->select(cell(2, "Classname"), QItemSelectionModel::Select);
    modals.expect({QMessageBox::Yes});
    keys("Ctrl+V");
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].text, "Paste 2 values into 2 classes?");
    EXPECT_EQ(modals.seen()[0].title, "Tolvane Class Creator");
    EXPECT_EQ(modals.seen()[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(cell(0, "Health").data().toString(), "90");
    EXPECT_EQ(cell(2, "Health").data().toString(), "90");
    EXPECT_EQ(command(CommandId::Undo)->text(), "Un&do Paste on A, C");
    QApplication::setActiveWindow(table);
    grid->setFocus();
    keys("Ctrl+Z");
    EXPECT_EQ(dialog->state().table.records[0].health, 100);
    EXPECT_EQ(dialog->state().table.records[2].health, 100);
}

// A row chosen by its header and copied is a whole class: pasted into a
// class just added, it gives it the inventory too, the status names the
// class, and Write Out writes it.
TEST_F(ClassTableTest, AWholeRowPastesAsANewClassWithItsInventory)
{
    ClassTable classes;
    ClassRecord &sniper = classes.records[0];
    applyBlockStartDefaults(sniper);
    sniper.classname.assign("Sniper");
    sniper.starting_weapon.assign("weapon_sniper");
    sniper.inventory[std::size_t(itemNamed("PSG-1"))] = 1;
    sniper.inventory[std::size_t(itemNamed("Grenades"))] = 2;
    classes.classCount = 1;
    writeFile(QStringLiteral("tvclass_seals.cfg"), classFileBytes(classes, "\n"));
    showDialog();
    trigger(CommandId::LoadConfig);
    keys("Ctrl+T");
    table = dialog->classTable();
    grid = table->table();
    QApplication::setActiveWindow(table);
    QHeaderView *header = grid->verticalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->width() / 2, header->sectionViewportPosition(0) + 2));
    keys("Ctrl+C");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("\tPSG-1 1, Grenades 2\t")));
    trigger(CommandId::AddClass);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    QApplication::setActiveWindow(table);
    grid->setFocus();
    grid->setCurrentIndex(cell(1, "Health"));
    keys("Ctrl+V");
    EXPECT_EQ(cell(1, "Inventory").data().toString(), "PSG-1 1, Grenades 2");
    EXPECT_EQ(control<QLineEdit>(ControlId::StatusLine)->text(), "Changed: Paste on Sniper");
    EXPECT_EQ(dialog->state().table.records[1], sniper);
    trigger(CommandId::WriteOut);
    ClassTable written;
    readClassBytes(written, readFile(QStringLiteral("tvclass_seals.cfg")));
    ASSERT_EQ(written.classCount, 2);
    EXPECT_EQ(written.records[1], sniper);
}

// A rule of the folder's rules file that a class breaks tints its cell and
// is a line of the Problems window; both follow the rules file as it is
// edited in another program.
TEST_F(ClassTableTest, BrokenRulesTintTheirCellsAndFollowTheRulesFile)
{
    writeFile(QStringLiteral("tvcc-rules.toml"), "[all]\nhealth = [95, 150]\n");
    openTable();
    const QModelIndex health = cell(1, "Health");
    EXPECT_EQ(health.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 224, 160));
    EXPECT_EQ(health.data(Qt::ToolTipRole).toString(),
              QStringLiteral("TCC030 health 90 is outside 95 to 150 (tvcc-rules.toml:2)"));
    trigger(CommandId::Problems);
    auto *list = dialog->findChild<ProblemsWindow *>()->findChild<QListWidget *>();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("B: TCC030 health 90 is outside 95 to 150 (tvcc-rules.toml:2)"));

    writeFile(QStringLiteral("tvcc-rules.toml"), "[all]\nhealth = [80, 150] # wider\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 1; }, 3 * ReviewWindows::rulesCheckMs));
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("B, line "))) << list->item(0)->text().toStdString();
    EXPECT_FALSE(cell(1, "Health").data(Qt::BackgroundRole).isValid());
    writeFile(QStringLiteral("tvcc-rules.toml"), "[all]\nhealth = [80 150]\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }, 3 * ReviewWindows::rulesCheckMs));
    EXPECT_EQ(list->item(0)->text(),
              QStringLiteral("tvcc-rules.toml, line 2, column 14: Error while parsing array: expected comma or "
                             "closing ']', saw '1'; no rule of the file is checked"));
    EXPECT_EQ(dialog->state().table.records[1].health, 90);
}

// A problem tints its cell and names itself; the colour scale marks the
// lowest and highest values in words too.
TEST_F(ClassTableTest, ProblemsAndTheColourScaleMarkCells)
{
    openTable();
    const QModelIndex speed = cell(1, "Class Speed");
    EXPECT_EQ(speed.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 224, 160));
    EXPECT_TRUE(
        speed.data(Qt::ToolTipRole).toString().endsWith("TCC003 speed 10.5 is outside 0 to 10; read as 1.000000"));
    EXPECT_EQ(speed.data(Qt::AccessibleDescriptionRole), speed.data(Qt::ToolTipRole));
    grid->setCurrentIndex(cell(0, "Health"));
    menu("Colour Scale");
    EXPECT_EQ(cell(1, "Health").data(Qt::ToolTipRole).toString(), "The lowest of the classes shown");
    EXPECT_NE(cell(1, "Health").data(Qt::BackgroundRole), cell(0, "Health").data(Qt::BackgroundRole));
    EXPECT_EQ(cell(0, "Health").data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
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
    keys("Alt+Home");
    EXPECT_EQ(log.said(), "In file order");
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
