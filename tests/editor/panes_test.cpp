// The panes of the editor window: the class table, Problems and the chart
// docked beside the form on the screens users have, their Alt letters, and
// their layout kept from one run to the next.

#include "dialogtesthelpers.h"

#include "chartwindow.h"
#include "comparepane.h"
#include "classtablewindow.h"
#include "model/session/controlids.h"
#include "model/table/teamrows.h"
#include "problemswindow.h"
#include "recentfolders.h"
#include "templateform.h"
#include "windowcommands.h"

#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

#include <utility>

using namespace tolvane;

namespace {

// A class file of count classes whose names start with prefix.
std::string manyClasses(const char *prefix, int count)
{
    ClassTable classes;
    for (int i = 0; i < count; ++i) {
        applyBlockStartDefaults(classes.records[std::size_t(i)]);
        classes.records[std::size_t(i)].classname.assign(prefix + std::to_string(i));
    }
    classes.classCount = count;
    return classFileBytes(classes, "\n");
}

class PanesTest : public DialogTest
{
protected:
    // Both teams' files, 20 classes each, loaded; the class table opened
    // with Ctrl+T and the other team's rows shown.
    void openTable(bool foldedBefore = false)
    {
        if (!foldedBefore)
            editorSettings().remove(QStringLiteral("classTable/summaryFolded"));
        writeFile(QStringLiteral("tvclass_seals.cfg"), manyClasses("Seal ", 20));
        writeFile(QStringLiteral("tvclass_tangos.cfg"), manyClasses("Tango ", 20));
        showDialog();
        click(ControlId::LoadConfig);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QStringLiteral("Ctrl+T")));
        trigger(CommandId::ShowOtherTeam);
        table = dialog->classTable();
        ASSERT_TRUE(table && table->isVisible());
        grid = table->table();
        QApplication::processEvents();
    }

    // Columns, Fold Summary Rows.
    void foldSummary()
    {
        for (QAction *action : table->findChildren<QAction *>()) {
            if (QString(action->text()).remove(u'&') == u"Fold Summary Rows")
                action->trigger();
        }
        QApplication::processEvents();
    }

    QDockWidget *dockOf(QWidget *pane) const { return qobject_cast<QDockWidget *>(pane->parentWidget()); }

    static QRect globalRect(const QWidget *widget) { return {widget->mapToGlobal(QPoint()), widget->size()}; }

    // The rows shown whole in the table's viewport.
    int wholeRows() const
    {
        int rows = 0;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            const int top = grid->rowViewportPosition(row);
            rows += top >= 0 && top + grid->rowHeight(row) <= grid->viewport()->height();
        }
        return rows;
    }

    ClassTableWindow *table = nullptr;
    QTableView *grid = nullptr;
};

// On a screen of at least 1366x768 at 100%, the whole form and at least 8
// class rows of both teams show at once; on smaller or denser screens, every
// box of the form can be scrolled to and at least 5 rows show. The table
// never covers the form and shows at least two columns of cells, the window
// and the table lie on the screen, and the Team column fits its longest team
// name. (The rows run on screens of
// several sizes and scales, see the CMake file.)
TEST_F(PanesTest, FormAndTableShareTheScreen)
{
    openTable();
    const QScreen *screen = dialog->screen();
    const QRect area = screen->availableGeometry();
    const bool roomy = screen->logicalDotsPerInch() <= 96 && area.width() >= 1366 && area.height() >= 700;
    SCOPED_TRACE(QStringLiteral("%1x%2 at %3 dpi")
                     .arg(area.width())
                     .arg(area.height())
                     .arg(screen->logicalDotsPerInch())
                     .toStdString());
    EXPECT_TRUE(area.contains(dialog->frameGeometry()));
    EXPECT_TRUE(area.contains(globalRect(table)));
    auto *form = dialog->findChild<TemplateForm *>();
    EXPECT_FALSE(globalRect(form).intersects(globalRect(dockOf(table))));
    // On screens smaller than 1280x720 (or at twice the usual scale), with
    // the summary folded.
    if (area.width() < 1280 || area.height() < 500)
        foldSummary();
    EXPECT_GE(wholeRows(), roomy ? 8 : 5) << "summary " << table->findChild<QTableView *>("classSummary")->height();
    // The form steps down a size, as far as it must, before it scrolls.
    if (roomy || form->points() > TemplateForm::minimumPoints) {
        EXPECT_TRUE(QRect(QPoint(), form->viewport()->size()).contains(QRect(QPoint(), form->form()->size())))
            << form->viewport()->width() << "x" << form->viewport()->height() << " for " << form->form()->width() << "x"
            << form->form()->height();
    }
    for (QWidget *box : dialog->findChildren<QWidget *>()) {
        if (box->parentWidget() != form->form() || !box->isVisibleTo(form->form()))
            continue;
        form->scrollIntoView(box);
        const QRect shown(box->mapTo(form->viewport(), QPoint()), box->size());
        EXPECT_TRUE(form->viewport()->rect().contains(shown) || shown.width() > form->viewport()->width()
                    || shown.height() > form->viewport()->height())
            << box->metaObject()->className() << " " << box->objectName().toStdString() << " " << shown.x() << ","
            << shown.y() << " " << shown.width() << "x" << shown.height() << " in " << form->viewport()->width() << "x"
            << form->viewport()->height() << " form " << form->form()->width() << "x" << form->form()->height();
    }
    // The table beside the form shows cells, not its row headers alone.
    const QHeaderView *columns = grid->horizontalHeader();
    int firstTwo = 0;
    for (int visual = 0, shown = 0; visual < columns->count() && shown < 2; ++visual) {
        if (!columns->isSectionHidden(columns->logicalIndex(visual))) {
            firstTwo += columns->sectionSize(columns->logicalIndex(visual));
            ++shown;
        }
    }
    EXPECT_GE(grid->viewport()->width(), firstTwo)
        << "pane " << dockOf(table)->width() << ", form " << dialog->centralWidget()->width() << " of "
        << dialog->width() << " wanting at least " << dialog->centralWidget()->minimumSizeHint().width();
    int longest = 0;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        longest = std::max(
            longest, grid->fontMetrics().horizontalAdvance(grid->model()->index(row, teamColumn()).data().toString()));
    EXPECT_GE(grid->columnWidth(teamColumn()), longest + 6);
}

// Folded, the summary is one line: the difference of the teams' means; the
// fold is kept for the next run.
TEST_F(PanesTest, SummaryFoldsToOneLine)
{
    openTable();
    auto *summary = table->findChild<QTableView *>(QStringLiteral("classSummary"));
    const int unfolded = summary->height();
    foldSummary();
    int shown = 0;
    for (int row = 0; row < summary->model()->rowCount(); ++row) {
        if (!summary->isRowHidden(row)) {
            ++shown;
            EXPECT_TRUE(summary->model()->headerData(row, Qt::Vertical).toString().startsWith(u"Mean difference"));
        }
    }
    EXPECT_EQ(shown, 1);
    EXPECT_LT(summary->height() * 4, unfolded);
    dialog->parts().table.showOtherTeam(false);
    EXPECT_FALSE(summary->isRowHidden(1));
    EXPECT_TRUE(summary->isRowHidden(0));
    restartDialog();
    openTable(true);
    summary = table->findChild<QTableView *>(QStringLiteral("classSummary"));
    EXPECT_TRUE(summary->isRowHidden(0));
    foldSummary();
    EXPECT_FALSE(summary->isRowHidden(0));
}

// Problems and the chart are panes of the window too, tabbed with the class
// table; no Alt letter of the window, its panes, its menus or of the items
// of one menu leads to two places.
TEST_F(PanesTest, NoAltLetterLeadsToTwoPlaces)
{
    openTable();
    trigger(CommandId::Problems);
    trigger(CommandId::Chart);
    auto *problems = dialog->findChild<ProblemsWindow *>();
    auto *chart = dialog->findChild<ChartWindow *>();
    ASSERT_TRUE(problems && chart);
    for (QWidget *pane : {static_cast<QWidget *>(problems), static_cast<QWidget *>(chart)}) {
        EXPECT_TRUE(pane->window() == dialog.get());
        EXPECT_TRUE(dialog->tabifiedDockWidgets(dockOf(table)).contains(dockOf(pane)));
    }
    QHash<QKeySequence, QString> seen;
    const auto expectNew = [&seen](const QString &text) {
        const QKeySequence letter = QKeySequence::mnemonic(text);
        if (letter.isEmpty())
            return;
        EXPECT_FALSE(seen.contains(letter)) << seen.value(letter).toStdString() << ", " << text.toStdString();
        seen.insert(letter, text);
    };
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        if (label->buddy())
            expectNew(label->text());
    }
    for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        expectNew(button->text());
    for (const QGroupBox *group : dialog->findChildren<QGroupBox *>())
        expectNew(group->title());
    for (const QMenuBar *bar : dialog->findChildren<QMenuBar *>()) {
        for (const QAction *menu : bar->actions())
            expectNew(menu->text());
    }
    EXPECT_GE(seen.size(), 20);
    // Within any one menu of the window or its panes, a letter leads to one item.
    for (const QMenu *menu : dialog->findChildren<QMenu *>()) {
        QHash<QKeySequence, bool> taken;
        for (const QAction *item : menu->actions()) {
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            EXPECT_TRUE(letter.isEmpty() || !std::exchange(taken[letter], true)) << item->text().toStdString();
        }
    }
}

// A start makes no pane that is not shown: the window starts as fast as the
// form alone.
TEST_F(PanesTest, AStartMakesNoPaneItDoesNotShow)
{
    showDialog();
    EXPECT_TRUE(dialog->findChildren<QDockWidget *>().isEmpty());
}

// Esc closes a pane, as it closed a window, and the focus goes back to the
// box it came from.
TEST_F(PanesTest, EscClosesAPaneAndTheFocusComesBack)
{
    showDialog();
    QWidget *name = control(ControlId::ClassName);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_F8);
    auto *problems = dialog->findChild<ProblemsWindow *>();
    ASSERT_TRUE(problems && problems->isVisible());
    EXPECT_TRUE(problems->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(problems->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([name] { return QApplication::focusWidget() == name; }, 500));
}

// Where the panes were (docked below, floating, closed) comes back in the
// next run.
TEST_F(PanesTest, LayoutComesBackInTheNextRun)
{
    openTable();
    trigger(CommandId::Chart);
    trigger(CommandId::CompareTwoClasses);
    QDockWidget *tableDock = dockOf(table);
    QDockWidget *chartDock = dockOf(dialog->findChild<ChartWindow *>());
    dialog->addDockWidget(Qt::BottomDockWidgetArea, tableDock);
    chartDock->setFloating(true);
    dialog->addDockWidget(Qt::LeftDockWidgetArea, dockOf(dialog->findChild<ComparePane *>()));
    trigger(CommandId::Quit);
    ASSERT_TRUE(dialog->hasEnded());
    restartDialog();
    showDialog();
    QApplication::processEvents();
    table = dialog->classTable();
    ASSERT_TRUE(table && table->isVisibleTo(dialog.get()));
    EXPECT_EQ(dialog->dockWidgetArea(dockOf(table)), Qt::BottomDockWidgetArea);
    auto *chart = dialog->findChild<ChartWindow *>();
    ASSERT_TRUE(chart);
    EXPECT_TRUE(dockOf(chart)->isFloating());
    auto *compare = dialog->findChild<ComparePane *>();
    ASSERT_TRUE(compare && compare->isVisibleTo(dialog.get()));
    EXPECT_EQ(dialog->dockWidgetArea(dockOf(compare)), Qt::LeftDockWidgetArea);
    EXPECT_FALSE(dialog->findChild<QDockWidget *>(QStringLiteral("problemsPane"))) << "a pane not shown is not made";
    // The next tests start without panes.
    editorSettings().remove(QStringLiteral("window/panes"));
}

} // namespace
