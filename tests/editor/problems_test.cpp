// The Problems window and Review Changes, as the window offers them.

#include "windowcommands.h"
#include "dialogtesthelpers.h"

#include <QLineEdit>
#include <QListWidget>

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
    EXPECT_EQ(modals.seen()[1].text, QStringLiteral("New class Medic\n"));
    EXPECT_EQ(modals.seen()[2].text, modals.seen()[0].text);
    EXPECT_EQ(readFile(QStringLiteral("tvclass_seals.cfg")), old);
}

} // namespace
