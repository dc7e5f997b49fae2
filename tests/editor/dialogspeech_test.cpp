// The roster tools' dialogs by ear and by keys: what Change Selected Classes
// says, Enter on the focused button, Tab out of a table in one press, names
// for every list and table, and the box with the focus after a move.

#include "announcementlog.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include "baselinedialog.h"
#include "bulkchangedialog.h"
#include "chartwindow.h"
#include "comparepane.h"
#include "gotoclassdialog.h"
#include "inventorydialog.h"
#include "model/session/controlids.h"
#include "model/table/tablecolumns.h"
#include "problemswindow.h"
#include "reviewdialog.h"
#include "versiondialog.h"
#include "windowcommands.h"

#include <QAccessible>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

using namespace tolvane;

namespace {

class DialogSpeechTest : public DialogTest
{
protected:
    // The window that announcements belong to, shown.
    void SetUp() override
    {
        DialogTest::SetUp();
        showDialog();
    }

    static void activate(QWidget &window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static QString accessible(QWidget *widget, QAccessible::Text text)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(text);
    }

    static CompareView::ChartView chart()
    {
        const auto drawn = [](int) {
            BarChart chart;
            chart.title = "health of 2 classes";
            chart.bars = {{"Kommando Spezialkraefte der Mar", Team::Tangos, 130, "130"},
                          {"Breacher", Team::Seals, 120, "120"}};
            return chart;
        };
        return {{"Health"}, 0, drawn, [](const std::string &, int, CompareView::ChartView::Picture) {}};
    }
};

TEST_F(DialogSpeechTest, ChangeSelectedClassesSaysItsColumnClassesValueAndWhyNot)
{
    const AnnouncementLog log;
    EditorState state;
    for (const ClassRecord &record : classesIn(healthFile({{"Pointman", 100}, {"Marksman", 100}, {"Breacher", 120}})))
        state.table.records[std::size_t(state.table.classCount++)] = record;
    BulkChangeDialog change(TableRows{&state}, {1, 2}, columnNamed("Health"), dialog.get());
    activate(change);
    const auto *heading = change.findChild<QLabel *>(QStringLiteral("changedClasses"));
    EXPECT_EQ(heading->text(), "Change Health of 2 classes: Marksman and Breacher");
    auto *columns = change.findChild<QComboBox *>();
    EXPECT_EQ(accessible(columns, QAccessible::Name), "Column:");
    EXPECT_EQ(accessible(columns, QAccessible::Value), "Health");
    auto *value = change.findChild<QLineEdit *>();
    EXPECT_EQ(accessible(value, QAccessible::Description), "now (different)");

    log.said();
    columns->setFocus();
    QTest::keyClick(columns, Qt::Key_Down);
    EXPECT_EQ(accessible(columns, QAccessible::Value), "Max Health");
    EXPECT_EQ(heading->text(), "Change Max Health of 2 classes: Marksman and Breacher");
    EXPECT_EQ(log.said(), "Max Health. now 100");

    typeInto(value, QStringLiteral("+fast"));
    const QString unreadable = log.said();
    EXPECT_TRUE(unreadable.startsWith("\"+fast\" is not a number")) << unreadable.toStdString();
    QTest::keyClick(value, Qt::Key_Return);
    EXPECT_TRUE(change.isVisible());
    EXPECT_EQ(log.said(), "Change is unavailable: " + unreadable);
    typeInto(value, QStringLiteral("+5"));
    EXPECT_EQ(log.said(), "");
    QTest::keyClick(value, Qt::Key_Return);
    EXPECT_EQ(change.result(), QDialog::Accepted);
}

// Enter presses the button with the focus; elsewhere the default button.
TEST_F(DialogSpeechTest, EnterPressesTheFocusedButton)
{
    ReviewDialog review(
        QStringLiteral("Marksman: Health 95 -> 100"), [] { return QStringLiteral("-health 100"); }, dialog.get());
    activate(review);
    auto *differences = review.findChild<QPushButton *>();
    for (QPushButton *button : review.findChildren<QPushButton *>()) {
        if (button->text() == "Show File &Differences")
            differences = button;
    }
    differences->setFocus();
    QTest::keyClick(differences, Qt::Key_Return);
    EXPECT_TRUE(review.isVisible());
    EXPECT_EQ(review.findChild<QPlainTextEdit *>()->toPlainText(), "-health 100");
    EXPECT_EQ(differences->text(), "Show &Changes");

    for (const bool onImport : {true, false}) {
        ReviewDialog import(QStringLiteral("Marksman: Health 95 -> 100"), {}, dialog.get());
        import.offerImport(QStringLiteral("classes.csv"));
        activate(import);
        QWidget *focused = import.findChild<QPlainTextEdit *>();
        for (QPushButton *button : import.findChildren<QPushButton *>()) {
            if (onImport && button->text() == "&Import")
                focused = button;
        }
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
        EXPECT_EQ(import.result(), onImport ? QDialog::Accepted : QDialog::Rejected);
    }

    // Every button of the roster tools can be pressed so.
    BaselineDialog baseline({"heading", "", "notes", "notes", "notes", [](NotesFormat) {}}, dialog.get());
    ChartWindow chartWindow(nullptr);
    ComparePane compare(nullptr);
    for (QWidget *window : std::initializer_list<QWidget *>{&review, &baseline, &chartWindow, &compare}) {
        for (const QPushButton *button : window->findChildren<QPushButton *>())
            EXPECT_TRUE(button->autoDefault()) << button->text().toStdString();
    }
}

// Tab leaves a table in one press, as do Shift+Tab and, with Ctrl, both;
// the chart's table keeps its columns in view, so that a screen reader
// reads whole rows.
TEST_F(DialogSpeechTest, TablesLetTabGoAndShowWholeRows)
{
    CompareView::TwoClasses classes{
        {"Seals 0  Pointman", "Tangos 0  Rifleman"}, 0, 1, "", [](int, int) { return std::vector<ComparisonRow>(3); }};
    ComparePane compare(nullptr);
    compare.showClasses(classes);
    activate(compare);
    compare.setFocus();
    auto *values = compare.findChild<QTableWidget *>();
    ASSERT_TRUE(values->hasFocus());
    QTest::keyClick(values, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), compare.findChildren<QComboBox *>().value(1));

    ChartWindow chartWindow(nullptr);
    chartWindow.showChart(chart());
    chartWindow.resize(chartWindow.minimumSizeHint());
    InventoryDialog inventory(
        QStringLiteral("Marksman"),
        [] {
            return InventoryDialog::Amounts{1, 2};
        },
        [](int, std::int32_t) {}, dialog.get());
    for (QWidget *window : std::initializer_list<QWidget *>{&compare, &chartWindow, &inventory}) {
        activate(*window);
        auto *table = window->findChild<QTableWidget *>();
        for (const Qt::KeyboardModifiers keys :
             {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
              Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Tab, keys);
            EXPECT_FALSE(table->hasFocus()) << window->windowTitle().toStdString() << " " << keys.toInt();
        }
    }

    auto *rows = chartWindow.findChild<QTableWidget *>(QStringLiteral("chartValues"));
    EXPECT_EQ(rows->currentRow(), 0);
    EXPECT_EQ(rows->horizontalScrollBar()->maximum(), 0);
}

TEST_F(DialogSpeechTest, ListsAndTablesHaveNames)
{
    VersionDialog versions(QStringLiteral("tvclass_seals.cfg"), {QStringLiteral("today 10:00")}, {QString()},
                           dialog.get());
    GoToClassDialog goTo({QStringLiteral("Pointman")}, 0, dialog.get());
    ChartWindow chartWindow(nullptr);
    ComparePane compare(nullptr);
    compare.showClasses({{"Seals 0  Pointman"}, 0, 0, "", [](int, int) { return std::vector<ComparisonRow>(); }});
    InventoryDialog inventory(
        QStringLiteral("Marksman"), [] { return InventoryDialog::Amounts{}; }, [](int, std::int32_t) {}, dialog.get());
    ProblemsWindow problems(nullptr);
    for (QWidget *window :
         std::initializer_list<QWidget *>{&versions, &goTo, &chartWindow, &compare, &inventory, &problems}) {
        // The views themselves, not the popups of their lists.
        for (QAbstractItemView *view : window->findChildren<QAbstractItemView *>()) {
            if (view->window() == window && !qobject_cast<QHeaderView *>(view)) {
                EXPECT_FALSE(accessible(view, QAccessible::Name).isEmpty())
                    << window->windowTitle().toStdString() << " " << view->metaObject()->className() << " "
                    << view->parentWidget()->metaObject()->className();
            }
        }
    }
    EXPECT_EQ(accessible(versions.findChild<QListWidget *>(), QAccessible::Name),
              "Earlier versions of tvclass_seals.cfg");
}

// Moving to another class, the box with the focus says its new value.
TEST_F(DialogSpeechTest, AMoveSaysTheFocusedBoxsNewValue)
{
    writeFile(QStringLiteral("tvclass_seals.cfg"), healthFile({{"A", 100}, {"B", 90}}));
    trigger(CommandId::LoadConfig);
    const AnnouncementLog log;
    control(ControlId::Health)->setFocus();
    log.said();
    trigger(CommandId::NextClass);
    EXPECT_EQ(log.said(), "@ Class 1 / 1 [B]. Health 90");
    click(ControlId::SaveToMemory);
    EXPECT_EQ(log.said(), "Class 1 [B] unchanged in memory");
}

} // namespace
