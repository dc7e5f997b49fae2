// The Problems window and Review Changes, as the window offers them.

#include "windowcommands.h"
#include "dialogtesthelpers.h"

#include "problemswindow.h"
#include "templateform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScreen>

using namespace tolvane;

namespace {

using B = QMessageBox::StandardButton;
using ProblemsTest = DialogTest;

// F8 lists what the reader found; choosing one moves to its class and box;
// the list follows the classes as they are stored.
TEST_F(ProblemsTest, ChoosingAProblemFocusesItsBox)
{
    writeFile(QStringLiteral("tvclass_seals.cfg"), "{\nclassname A\n}\n\n{\nclassname B\nspeed 10.5\n}\n");
    showDialog();
    click(ControlId::LoadConfig);
    EXPECT_EQ(dialog->statusText(), QStringLiteral("2 Config Classes Read; 1 problem"));
    trigger(CommandId::Problems);
    auto *list = dialog->findChild<QListWidget *>();
    ASSERT_TRUE(list && list->isVisible());
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(),
              QStringLiteral("B, line 7: TCC003 Class Speed 10.5 is outside 0 to 10; read as 1.000000"));
    EXPECT_EQ(list->item(0)->toolTip(),
              QStringLiteral("B, line 7: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000"));

    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog->state().currentIndex, 1);
    EXPECT_EQ(dialog->focusWidget(), control(ControlId::Speed));
    control<QLineEdit>(ControlId::Speed)->setText(QStringLiteral("2"));
    click(ControlId::SaveToMemory);
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("No problems"))) << list->item(0)->text().toStdString();
}

// The Problems window never covers the box it jumps to, which scrolls into
// view, on any screen (see the CMake file).
TEST_F(ProblemsTest, WindowStaysClearOfTheBoxItJumpsTo)
{
    writeFile(QStringLiteral("tvclass_seals.cfg"),
              "{\nclassname " + std::string(40, 'N') + "\nspeed 10.5\nhealth 5x\nmax_cells 3 more\n}\n");
    showDialog();
    click(ControlId::LoadConfig);
    trigger(CommandId::Problems);
    auto *problems = dialog->findChild<ProblemsWindow *>();
    auto *list = problems->findChild<QListWidget *>();
    ASSERT_EQ(list->count(), 4);
    const QRect screen = problems->screen()->availableGeometry();
    const auto *form = dialog->findChild<TemplateForm *>();
    for (int row = 0; row < list->count(); ++row) {
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Return);
        QWidget *box = dialog->focusWidget();
        const QRect boxArea(box->mapToGlobal(QPoint()), box->size());
        SCOPED_TRACE(list->item(row)->text().toStdString());
        const QRect pane(problems->mapToGlobal(QPoint()), problems->size());
        EXPECT_FALSE(pane.intersects(boxArea));
        EXPECT_TRUE(screen.contains(pane));
        const QRect viewArea(form->viewport()->mapToGlobal(QPoint()), form->viewport()->size());
        EXPECT_TRUE(viewArea.contains(boxArea));
    }
}

// The Write Out question offers the review, and stays for its answer.
TEST_F(ProblemsTest, WriteOutQuestionOffersTheReview)
{
    const std::string old = classFile({"A"});
    writeFile(QStringLiteral("tvclass_seals.cfg"), old);
    restartDialog();
    control<QLineEdit>(ControlId::ClassName)->setText(QStringLiteral("Medic"));
    modals.expect({B::Apply, B::Close, B::No});
    click(ControlId::WriteOut);
    ASSERT_EQ(modals.seen().size(), 3u);
    EXPECT_EQ(modals.seen()[1].type, QStringLiteral("ReviewDialog"));
    // Without a load the form's class is the empty one, which replaces the file's.
    EXPECT_TRUE(modals.seen()[1].text.startsWith(QStringLiteral("tvclass_seals.cfg was not loaded: Write Out asks")));
    EXPECT_TRUE(modals.seen()[1].text.contains(QStringLiteral("Medic: Classname \"A\" -> \"Medic\"; Underwaterair")));
    EXPECT_EQ(modals.seen()[2].text, modals.seen()[0].text);
    EXPECT_EQ(readFile(QStringLiteral("tvclass_seals.cfg")), old);
}

} // namespace
