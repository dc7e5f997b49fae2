// The views that set the two teams side by side, as the window shows them:
// the team and folder in view, Compare Two Classes, Compare with File and
// the chart.

#include "model/session/controlids.h"
#include "classtabletest.h"

#include "barchartview.h"
#include "chartwindow.h"
#include "classtablemodel.h"
#include "classtablewindow.h"
#include "comparepane.h"
#include "windowcommands.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

using namespace tolvane;

namespace {

using B = QMessageBox::StandardButton;

class CompareTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        writeFile(QStringLiteral("tvclass_seals.cfg"),
                  "{\nclassname Sniper\nhealth 100\nspeed 1.2\n}\n\n{\nclassname Medic\nhealth 90\n}\n");
        writeFile(QStringLiteral("tvclass_tangos.cfg"), "{\nclassname Heavy\nhealth 150\n}\n\n"
                                                        "{\nclassname Sniper\nhealth 95\nspeed 1.2\n}\n");
        restartDialog();
        click(ControlId::LoadConfig);
    }

    // The row of the table whose first cell is first, as its cells' texts.
    static QStringList rowOf(const QTableWidget &table, const QString &first)
    {
        for (int row = 0; row < table.rowCount(); ++row) {
            if (table.item(row, 0)->text() == first) {
                QStringList cells;
                for (int column = 0; column < table.columnCount(); ++column)
                    cells << table.item(row, column)->text();
                return cells;
            }
        }
        return {};
    }

    QString nativePath(const QString &name) const { return QDir::toNativeSeparators(path(name)); }
};

// Ctrl+K sets the form's class beside its namesake in the other team, in a
// pane of the window: equal values faded, the others bold and said so,
// numbers with their difference. The pane follows the form's values; Esc
// closes it and the focus goes back to the box it came from.
TEST_F(CompareTest, TwoClassesSideBySide)
{
    showDialog();
    QWidget *health = control(ControlId::Health);
    health->setFocus();
    QTest::keySequence(health, QKeySequence(QStringLiteral("Ctrl+K")));
    auto *compare = dialog->findChild<ComparePane *>();
    ASSERT_TRUE(compare && compare->isVisible());
    EXPECT_TRUE(dialog->isAncestorOf(compare)) << "a pane of the window";
    const auto lists = compare->findChildren<QComboBox *>();
    ASSERT_EQ(lists.size(), 2);
    EXPECT_EQ(lists[0]->currentText(), QStringLiteral("Seals 0  Sniper"));
    EXPECT_EQ(lists[1]->currentText(), QStringLiteral("Tangos 1  Sniper"));
    auto *table = compare->findChild<QTableWidget *>(QStringLiteral("comparison"));
    EXPECT_EQ(QApplication::focusWidget(), table);
    EXPECT_EQ(table->accessibleName(), QStringLiteral("Values of the two classes"));
    EXPECT_EQ(rowOf(*table, QStringLiteral("Health")), QStringList({"Health", "100", "95", "-5 (x0.95)", "differs"}));
    EXPECT_EQ(rowOf(*table, QStringLiteral("Class Speed")).last(), QStringLiteral("equal"));
    // The file's key, for a modder looking for the line.
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("AT-4 Scope"));
    EXPECT_EQ(table->item(1, 0)->toolTip(), QStringLiteral("classabilities 0x1"));
    for (int row = 0; row < table->rowCount(); ++row) {
        const bool equal = table->item(row, 4)->text() == u"equal";
        EXPECT_EQ(table->item(row, 1)->font().bold(), !equal);
        EXPECT_EQ(table->item(row, 1)->foreground().color()
                      == compare->palette().color(QPalette::Disabled, QPalette::Text),
                  equal);
    }
    lists[1]->setCurrentIndex(2); // Tangos 0  Heavy
    EXPECT_EQ(rowOf(*table, QStringLiteral("Health")), QStringList({"Health", "100", "150", "+50 (x1.5)", "differs"}));
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Tangos 0  Heavy"));

    // The form's Health changes, and a class is added: the pane follows,
    // the two classes picked kept.
    auto *healthBox = qobject_cast<QLineEdit *>(health);
    ASSERT_TRUE(healthBox);
    healthBox->setText(QStringLiteral("120"));
    click(ControlId::AddClass);
    EXPECT_EQ(lists[0]->currentText(), QStringLiteral("Seals 0  Sniper"));
    EXPECT_EQ(lists[1]->currentText(), QStringLiteral("Tangos 0  Heavy"));
    EXPECT_EQ(lists[0]->count(), 5);
    EXPECT_EQ(rowOf(*table, QStringLiteral("Health")), QStringList({"Health", "120", "150", "+30 (x1.25)", "differs"}));

    health->setFocus();
    QTest::keySequence(health, QKeySequence(QStringLiteral("Ctrl+K")));
    ASSERT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Escape);
    EXPECT_FALSE(compare->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([health] { return QApplication::focusWidget() == health; }, 500));
    EXPECT_TRUE(modals.seen().empty()) << "no window over the form";
}

// Compare with File shows the patch notes in each format, to copy or save;
// a file that is no class file is named in one message.
TEST_F(CompareTest, BaselinePatchNotes)
{
    writeFile(QStringLiteral("stock.cfg"), "{\nclassname Medic\nhealth 100\n}\n\n{\nclassname Sniper\nhealth 100\n"
                                           "speed 1.2\n}\n\n{\nclassname Scout\n}\n");
    writeFile(QStringLiteral("settings.json"), "{\n \"volume\": 0.8\n}\n");
    pickFile(path(QStringLiteral("settings.json")));
    modals.expect({B::Ok});
    trigger(CommandId::CompareWithFile);
    ASSERT_EQ(modals.seen().size(), 2u);
    EXPECT_TRUE(
        modals.seen()[1].text.startsWith(QStringLiteral("The file ") + nativePath(QStringLiteral("settings.json"))))
        << modals.seen()[1].text.toStdString();

    // Each format shown, copied and saved, to a file named as the user says.
    const QString saved[] = {QStringLiteral("notes \u00e4.txt"), QStringLiteral("notes \u00e4.md"),
                             QStringLiteral("forum \u00e4.txt")};
    pickFile(path(QStringLiteral("stock.cfg")));
    modals.expect({B::Ok, B::Ok, B::Ok, B::Close}); // the saves' file dialogs open inside the notes' window
    QString shown[3], copied[3];
    const auto lookAtFile = modals.look;
    int saves = 0;
    modals.look = [&](QDialog &modal) {
        if (auto *files = qobject_cast<QFileDialog *>(&modal)) {
            files->selectFile(saves == 0 ? path(QStringLiteral("stock.cfg")) : path(saved[saves - 1]));
            ++saves;
        }
        auto *notes = modal.findChild<QPlainTextEdit *>(QStringLiteral("patchNotes"));
        if (!notes)
            return;
        auto *format = modal.findChild<QComboBox *>(QStringLiteral("notesFormat"));
        ASSERT_EQ(format->count(), 3);
        for (int at = 0; at < 3; ++at) {
            format->setCurrentIndex(at);
            shown[at] = notes->toPlainText();
            for (QPushButton *button : modal.findChildren<QPushButton *>()) {
                if (button->text() == u"&Copy" || button->text() == u"&Save...")
                    button->click();
            }
            copied[at] = QApplication::clipboard()->text();
        }
    };
    trigger(CommandId::CompareWithFile);
    ASSERT_EQ(modals.seen().size(), 7u);
    EXPECT_EQ(modals.seen()[3].type, QStringLiteral("BaselineDialog"));
    EXPECT_EQ(shown[0], QStringLiteral("Seals\n=====\n\nChanged\n- Medic\n  - Health 100 -> 90 (-10%)\n\n"
                                       "Removed\n- Scout\n"));
    // The notes' tests hold each format whole.
    EXPECT_TRUE(shown[1].startsWith(QStringLiteral("## Seals\n"))) << shown[1].toStdString();
    EXPECT_TRUE(shown[2].startsWith(QStringLiteral("[b][u]Seals[/u][/b]\n"))) << shown[2].toStdString();
    for (int at = 0; at < 3; ++at) {
        EXPECT_EQ(copied[at], shown[at]);
        EXPECT_EQ(QString::fromStdString(readFile(saved[at])), shown[at]) << saved[at].toStdString();
    }
    EXPECT_EQ(dialog->statusText(), QStringLiteral("Patch notes saved to ") + nativePath(saved[2]));
}

// The chart holds every class of both teams, highest first, with the same
// values in its table, and follows the classes.
TEST_F(CompareTest, ChartFollowsTheClasses)
{
    showDialog();
    trigger(CommandId::Chart);
    auto *chart = dialog->findChild<ChartWindow *>();
    ASSERT_TRUE(chart && chart->isVisible());
    auto *table = chart->findChild<QTableWidget *>(QStringLiteral("chartValues"));
    const auto column = [table](int at) {
        QStringList cells;
        for (int row = 0; row < table->rowCount(); ++row)
            cells << table->item(row, at)->text();
        return cells.join(u' ');
    };
    EXPECT_EQ(column(0) + u'/' + column(1) + u'/' + column(2),
              QStringLiteral("Heavy Sniper Sniper Medic/Tangos Seals Tangos Seals/150 100 95 90"));
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Health"));
    EXPECT_EQ(chart->findChild<BarChartView *>()->accessibleName(),
              QStringLiteral("Health of 4 classes: 2 Seals, 2 Tangos"));
    // The list names the value as the table does; its tooltip, as the file does.
    const auto *values = chart->findChild<QComboBox *>();
    EXPECT_EQ(values->currentText(), QStringLiteral("Health"));
    EXPECT_EQ(values->itemData(values->currentIndex(), Qt::ToolTipRole).toString(), QStringLiteral("health"));

    control<QLineEdit>(ControlId::Health)->setText(QStringLiteral("200"));
    click(ControlId::SaveToMemory);
    EXPECT_EQ(column(0), QStringLiteral("Sniper Heavy Sniper Medic"));
}

// Show Other Team puts the Tangos' classes under the Seals', greyed, read
// only and said so, with a Team column to sort and filter by; the summary
// gives each team's spread and the difference of the means; two rows of
// either team compare from the rows' context menu.
TEST_F(CompareTest, OtherTeamInTheClassTable)
{
    showDialog();
    QTest::keySequence(dialog.get(), QKeySequence(QStringLiteral("Ctrl+Shift+T")));
    ClassTableWindow *table = dialog->classTable();
    ASSERT_TRUE(table && table->isVisible());
    EXPECT_TRUE(dialog->command(CommandId::ShowOtherTeam)->isChecked());
    QTableView *grid = table->table();
    const QAbstractItemModel &rows = *grid->model();
    EXPECT_EQ(rowHeaders(rows).toStdString(), "0  Sniper, 1  Medic, Tangos 0  Heavy, Tangos 1  Sniper");
    EXPECT_EQ(table->statusText(), QStringLiteral("4 of 4 classes, 2 of them the Tangos'"));
    const QModelIndex team = cellOf(rows, 2, "Team");
    EXPECT_FALSE(grid->isColumnHidden(team.column()));
    EXPECT_EQ(team.data().toString(), QStringLiteral("Tangos"));
    const QModelIndex theirs = cellOf(rows, 2, "Health"), ours = cellOf(rows, 0, "Health");
    EXPECT_EQ(theirs.data().toString(), QStringLiteral("150"));
    // Their cells are edited as ours; only the Team column takes no edit.
    EXPECT_TRUE(theirs.flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(ours.flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(team.flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(theirs.data(Qt::AccessibleDescriptionRole).toString().contains(QStringLiteral("Read only")));

    const QAbstractItemModel *summary = table->findChild<QTableView *>(QStringLiteral("classSummary"))->model();
    ASSERT_EQ(summary->rowCount(), 7);
    QStringList health;
    for (int row = 0; row < summary->rowCount(); ++row)
        health << summary->headerData(row, Qt::Vertical).toString() + u'='
                      + summary->index(row, theirs.column()).data().toString();
    EXPECT_EQ(health.join(u", ").toStdString(),
              std::string("Seals minimum=90, Seals mean=95, Seals maximum=100, Tangos minimum=95, "
                          "Tangos mean=122.5, Tangos maximum=150, Mean difference (Tangos - Seals)=27.5"));

    table->filterBox()->setText(QStringLiteral("team tangos"));
    EXPECT_EQ(rowHeaders(rows).toStdString(), "Tangos 0  Heavy, Tangos 1  Sniper");
    table->filterBox()->clear();

    grid->selectionModel()->select(QItemSelection(rows.index(1, 0), rows.index(2, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // The rows' context menu.
    ASSERT_EQ(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
    for (QAction *action : grid->actions()) {
        if (action->text().remove(u'&') == u"Compare Two Classes...")
            action->trigger();
    }
    auto *compare = dialog->findChild<ComparePane *>();
    ASSERT_TRUE(compare && compare->isVisible());
    const auto lists = compare->findChildren<QComboBox *>();
    ASSERT_EQ(lists.size(), 2);
    EXPECT_EQ(lists[0]->currentText(), QStringLiteral("Seals 1  Medic"));
    EXPECT_EQ(lists[1]->currentText(), QStringLiteral("Tangos 0  Heavy"));

    dialog->command(CommandId::ShowOtherTeam)->trigger();
    EXPECT_EQ(rowHeaders(rows).toStdString(), "0  Sniper, 1  Medic");
    EXPECT_TRUE(grid->isColumnHidden(team.column()));
    EXPECT_EQ(summary->rowCount(), 3);
}

// After Compare with File, each value that differs from the baseline has a
// mark and names the baseline's value; "changed" leaves the classes that
// differ, and the chart shows the rows the filter leaves.
TEST_F(CompareTest, BaselineMarksInTheClassTable)
{
    writeFile(QStringLiteral("stock.cfg"), "{\nclassname Medic\nhealth 100\n}\n\n{\nclassname Sniper\nhealth 100\n"
                                           "speed 1.2\n}\n");
    pickFile(path(QStringLiteral("stock.cfg")));
    modals.expect({B::Close});
    trigger(CommandId::CompareWithFile);
    trigger(CommandId::ClassTable);
    ClassTableWindow *table = dialog->classTable();
    ASSERT_TRUE(table);
    const QAbstractItemModel &rows = *table->table()->model();
    const QModelIndex medic = cellOf(rows, 1, "Health");
    EXPECT_TRUE(medic.data(ClassTableModel::BaselineRole).toBool());
    EXPECT_TRUE(medic.data(Qt::ToolTipRole).toString().split(u'\n').contains(QStringLiteral("Baseline: 100")));
    EXPECT_FALSE(cellOf(rows, 0, "Health").data(ClassTableModel::BaselineRole).toBool());
    EXPECT_FALSE(cellOf(rows, 1, "Class Speed").data(ClassTableModel::BaselineRole).toBool());

    for (QAction *action : table->findChildren<QAction *>()) {
        if (action->text().remove(u'&') == u"Filter Changed from Baseline")
            action->trigger();
    }
    EXPECT_EQ(table->filterBox()->text(), QStringLiteral("changed"));
    EXPECT_EQ(rowHeaders(rows).toStdString(), "1  Medic");

    trigger(CommandId::Chart);
    auto *chart = dialog->findChild<ChartWindow *>();
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->findChild<BarChartView *>()->accessibleName(), QStringLiteral("Health of 1 class: 1 Seals"));
}

} // namespace
