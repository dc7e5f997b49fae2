// Loading and moving through the real window: the form follows the model,
// the hidden scroll bar follows the position, a failed load says why.

#include "controlids.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

class NavigationTest : public DialogTest
{
protected:
    void writeClasses() { writeFile("tvclass_seals.cfg", classFile({"Class0", "Class1", "Class2"})); }

    QLineEdit *nameBox() { return control<QLineEdit>(ControlId::ClassName); }

    void expectScrollBarAt(int current, int last)
    {
        auto *scrollBar = control<QScrollBar>(ControlId::HiddenScrollBar);
        EXPECT_EQ(scrollBar->maximum(), last);
        EXPECT_EQ(scrollBar->value(), current);
        EXPECT_FALSE(scrollBar->isVisible());
    }
};

TEST_F(NavigationTest, NextStoresTheEditFirstClassLosesIt)
{
    writeClasses();
    click(ControlId::LoadConfig);
    expectScrollBarAt(0, 2);
    typeInto(nameBox(), "Renamed");
    click(ControlId::NextClass);
    EXPECT_EQ(dialog->state().table.records[0].classname.view(), "Renamed");
    EXPECT_EQ(dialog->statusText(), "@ Class 1 / 2 [Class1]");
    EXPECT_EQ(nameBox()->text(), "Class1");
    expectScrollBarAt(1, 2);

    typeInto(nameBox(), "Lost");
    trigger(CommandId::FirstClass);
    EXPECT_EQ(dialog->state().table.records[1].classname.view(), "Class1");
    EXPECT_EQ(nameBox()->text(), "Renamed");

    // Add Class leaves the unstored edit in the form.
    typeInto(nameBox(), "Unstored");
    click(ControlId::AddClass);
    EXPECT_EQ(nameBox()->text(), "Unstored");
    expectScrollBarAt(0, 3);
}

TEST_F(NavigationTest, UnreadableFileLeavesTheTableAndSaysWhy)
{
    writeClasses();
    click(ControlId::LoadConfig);
    ASSERT_TRUE(QFile::remove(path("tvclass_seals.cfg")));
    ASSERT_TRUE(QDir(scratch.path()).mkdir("tvclass_seals.cfg"));
    modals.expect({QMessageBox::Ok});
    click(ControlId::LoadConfig);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(modals.seen()[0].text.contains("tvclass_seals.cfg"));
    EXPECT_EQ(dialog->statusText(), "3 Config Classes Read");
    EXPECT_EQ(dialog->state().table.classCount, 3);
    EXPECT_EQ(dialog->state().table.records[2].classname.view(), "Class2");
}

} // namespace
