// The class table pane's editing of many classes at once: Change Selected
// Classes, copy and paste, and the marks of broken rules, problems and the
// colour scale on its cells.

#include "classtabletest.h"

#include "bulkchangedialog.h"
#include "model/table/tablecolumns.h"
#include "problemswindow.h"
#include "userinput.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QDialogButtonBox>

using namespace tolvane;

namespace {

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
// class just added, it gives it the inventory too, and the status names the
// class (the session's tests write it).
TEST_F(ClassTableTest, AWholeRowPastesAsANewClassWithItsInventory)
{
    const std::string file = block(
        "classname Sniper\nstarting_weapon weapon_sniper\ninventory weapon_sniper 1\ninventory ammo_grenades 2");
    const ClassRecord sniper = classesIn(file).at(0);
    writeFile(QStringLiteral("tvclass_seals.cfg"), file);
    showDialog();
    trigger(CommandId::LoadConfig);
    keys("Ctrl+T");
    takeTable();
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

} // namespace
