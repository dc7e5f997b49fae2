// Loading, moving between classes, adding classes and the status line.

#include "controlids.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classfilewriter.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

class NavigationTest : public DialogTest
{
protected:
    // A Seals class file of count classes named "Class0", "Class1", ...
    void writeClasses(int count, const char *prefix = "Class")
    {
        ClassTable table;
        for (int i = 0; i < count; ++i) {
            ApplyBlockStartDefaults(table.records[i]);
            table.records[i].classname.assign(prefix + std::to_string(i));
        }
        table.classCount = count;
        writeFile("tvclass_seals.cfg", ClassFileBytes(table, "\n"));
    }

    EditorState &state() { return dialog->state(); }
    QString shownName() { return control<QLineEdit>(ControlId::ClassName)->text(); }

    // currentIndex, lastIndex, classCount and the hidden scroll bar agree.
    void expectPosition(int current, int last, int count)
    {
        EXPECT_EQ(state().currentIndex, current);
        EXPECT_EQ(state().lastIndex, last);
        EXPECT_EQ(state().table.classCount, count);
        EXPECT_EQ(state().firstIndex, 0);
        auto *scrollBar = control<QScrollBar>(1001);
        EXPECT_EQ(scrollBar->minimum(), 0);
        EXPECT_EQ(scrollBar->maximum(), last);
        EXPECT_EQ(scrollBar->value(), current);
        EXPECT_FALSE(scrollBar->isVisible());
    }
};

TEST_F(NavigationTest, LoadSetsTheRangeAndNextStopsAtTheLastClass)
{
    writeClasses(5);
    click(ControlId::LoadConfig);
    EXPECT_EQ(dialog->statusText(), "5 Config Classes Read");
    expectPosition(0, 4, 5);
    trigger(CommandId::LastClass);
    EXPECT_EQ(dialog->statusText(), "@ Class 4 / 4 [Class4]");
    EXPECT_EQ(shownName(), "Class4");
    dialog->setStatusText("kept");
    click(ControlId::NextClass);
    EXPECT_EQ(dialog->statusText(), "kept");
    expectPosition(4, 4, 5);
    trigger(CommandId::FirstClass);
    click(ControlId::PrevClass);
    EXPECT_EQ(dialog->statusText(), "@ Class 0 / 4 [Class0]");
}

TEST_F(NavigationTest, LoadKeepsTheIndexOrBringsItIntoTheNewRange)
{
    writeClasses(5);
    click(ControlId::LoadConfig);
    click(ControlId::NextClass);
    click(ControlId::NextClass);
    writeClasses(3, "New");
    click(ControlId::LoadConfig);
    EXPECT_EQ(shownName(), "New2");
    expectPosition(2, 2, 3);

    writeClasses(2, "Short");
    click(ControlId::LoadConfig);
    EXPECT_EQ(shownName(), "Short1");
    expectPosition(1, 1, 2);
    click(ControlId::NextClass);
    expectPosition(1, 1, 2);
}

TEST_F(NavigationTest, NextStoresTheEditFirstClassLosesIt)
{
    writeClasses(3);
    click(ControlId::LoadConfig);
    typeInto(control<QLineEdit>(ControlId::ClassName), "Renamed");
    click(ControlId::NextClass);
    EXPECT_EQ(state().table.records[0].classname.view(), "Renamed");
    EXPECT_EQ(dialog->statusText(), "@ Class 1 / 2 [Class1]");

    typeInto(control<QLineEdit>(ControlId::ClassName), "Lost");
    trigger(CommandId::FirstClass);
    EXPECT_EQ(state().table.records[1].classname.view(), "Class1");
    EXPECT_EQ(shownName(), "Renamed");
}

TEST_F(NavigationTest, AddClassWidensTheRangeWithoutMoving)
{
    writeClasses(5);
    click(ControlId::LoadConfig);
    typeInto(control<QLineEdit>(ControlId::ClassName), "Unstored");
    click(ControlId::AddClass);
    trigger(40008);
    EXPECT_EQ(dialog->statusText(), "@ Class to 6 [min=0 | 7]");
    expectPosition(0, 6, 7);
    EXPECT_EQ(shownName(), "Unstored");
}

TEST_F(NavigationTest, BeforeAnyLoad)
{
    click(ControlId::PrevClass);
    expectPosition(0, 0, 1);
    EXPECT_EQ(dialog->statusText(), "");

    click(ControlId::AddClass);
    EXPECT_EQ(dialog->statusText(), "@ Class to 1 [min=0 | 2]");
    expectPosition(0, 1, 2);
    typeInto(control<QLineEdit>(ControlId::ClassName), "First");
    click(ControlId::NextClass);
    EXPECT_EQ(state().table.records[0].classname.view(), "First");
    EXPECT_EQ(dialog->statusText(), "@ Class 1 / 1 []");
    expectPosition(1, 1, 2);
}

TEST_F(NavigationTest, AddClassOnAFullTableChangesNothing)
{
    writeClasses(64);
    click(ControlId::LoadConfig);
    click(ControlId::AddClass);
    EXPECT_EQ(dialog->statusText(), "The table is full: 64 classes");
    expectPosition(0, 63, 64);

    // Growing the range by hand stops at the same place.
    writeClasses(60);
    click(ControlId::LoadConfig);
    for (int i = 0; i < 10; ++i)
        click(ControlId::AddClass);
    expectPosition(0, 63, 64);
    trigger(CommandId::LastClass);
    click(ControlId::NextClass);
    expectPosition(63, 63, 64);
}

TEST_F(NavigationTest, MissingFileLoadsTheDefaultClass)
{
    click(ControlId::LoadConfig);
    EXPECT_EQ(dialog->statusText(), "tvclass_seals.cfg not found: 1 new class");
    EXPECT_EQ(shownName(), "?");
    expectPosition(0, 0, 1);
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(NavigationTest, UnreadableFileLeavesTheTableAndSaysWhy)
{
    writeClasses(3);
    click(ControlId::LoadConfig);
    ASSERT_TRUE(QFile::remove(path("tvclass_seals.cfg")));
    ASSERT_TRUE(QDir(scratch.path()).mkdir("tvclass_seals.cfg"));
    modals.expect({QMessageBox::Ok});
    click(ControlId::LoadConfig);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(modals.seen()[0].text.contains("tvclass_seals.cfg"));
    EXPECT_EQ(dialog->statusText(), "3 Config Classes Read");
    expectPosition(0, 2, 3);
    EXPECT_EQ(state().table.records[2].classname.view(), "Class2");
}

} // namespace
