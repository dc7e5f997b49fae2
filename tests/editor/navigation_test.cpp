// Loading, moving between classes, adding classes and the status line.

#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classfilewriter.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr int loadButton = 1003;
constexpr int nextButton = 1004;
constexpr int prevButton = 1005;
constexpr int addButton = 1006;
constexpr int classNameBox = 1010;
constexpr int firstCommand = 40011;
constexpr int lastCommand = 40012;

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
    QString shownName() { return control<QLineEdit>(classNameBox)->text(); }

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
    click(loadButton);
    EXPECT_EQ(dialog->statusText(), "5 Config Classes Read");
    expectPosition(0, 4, 5);
    trigger(lastCommand);
    EXPECT_EQ(dialog->statusText(), "@ Class 4 / 4 [Class4]");
    EXPECT_EQ(shownName(), "Class4");
    dialog->setStatusText("kept");
    click(nextButton);
    EXPECT_EQ(dialog->statusText(), "kept");
    expectPosition(4, 4, 5);
    trigger(firstCommand);
    click(prevButton);
    EXPECT_EQ(dialog->statusText(), "@ Class 0 / 4 [Class0]");
}

TEST_F(NavigationTest, LoadKeepsTheIndexOrBringsItIntoTheNewRange)
{
    writeClasses(5);
    click(loadButton);
    click(nextButton);
    click(nextButton);
    writeClasses(3, "New");
    click(loadButton);
    EXPECT_EQ(shownName(), "New2");
    expectPosition(2, 2, 3);

    writeClasses(2, "Short");
    click(loadButton);
    EXPECT_EQ(shownName(), "Short1");
    expectPosition(1, 1, 2);
    click(nextButton);
    expectPosition(1, 1, 2);
}

TEST_F(NavigationTest, NextStoresTheEditFirstClassLosesIt)
{
    writeClasses(3);
    click(loadButton);
    typeInto(control<QLineEdit>(classNameBox), "Renamed");
    click(nextButton);
    EXPECT_EQ(state().table.records[0].classname.view(), "Renamed");
    EXPECT_EQ(dialog->statusText(), "@ Class 1 / 2 [Class1]");

    typeInto(control<QLineEdit>(classNameBox), "Lost");
    trigger(firstCommand);
    EXPECT_EQ(state().table.records[1].classname.view(), "Class1");
    EXPECT_EQ(shownName(), "Renamed");
}

TEST_F(NavigationTest, AddClassWidensTheRangeWithoutMoving)
{
    writeClasses(5);
    click(loadButton);
    typeInto(control<QLineEdit>(classNameBox), "Unstored");
    click(addButton);
    trigger(40008);
    EXPECT_EQ(dialog->statusText(), "@ Class to 6 [min=0 | 7]");
    expectPosition(0, 6, 7);
    EXPECT_EQ(shownName(), "Unstored");
}

TEST_F(NavigationTest, BeforeAnyLoad)
{
    click(prevButton);
    expectPosition(0, 0, 1);
    EXPECT_EQ(dialog->statusText(), "");

    click(addButton);
    EXPECT_EQ(dialog->statusText(), "@ Class to 1 [min=0 | 2]");
    expectPosition(0, 1, 2);
    typeInto(control<QLineEdit>(classNameBox), "First");
    click(nextButton);
    EXPECT_EQ(state().table.records[0].classname.view(), "First");
    EXPECT_EQ(dialog->statusText(), "@ Class 1 / 1 []");
    expectPosition(1, 1, 2);
}

TEST_F(NavigationTest, AddClassOnAFullTableChangesNothing)
{
    writeClasses(64);
    click(loadButton);
    click(addButton);
    EXPECT_EQ(dialog->statusText(), "The table is full: 64 classes");
    expectPosition(0, 63, 64);

    // Growing the range by hand stops at the same place.
    writeClasses(60);
    click(loadButton);
    for (int i = 0; i < 10; ++i)
        click(addButton);
    expectPosition(0, 63, 64);
    trigger(lastCommand);
    click(nextButton);
    expectPosition(63, 63, 64);
}

TEST_F(NavigationTest, MissingFileLoadsTheDefaultClass)
{
    click(loadButton);
    EXPECT_EQ(dialog->statusText(), "1 Config Classes Read");
    EXPECT_EQ(shownName(), "?");
    expectPosition(0, 0, 1);
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(NavigationTest, UnreadableFileLeavesTheTableAndSaysWhy)
{
    writeClasses(3);
    click(loadButton);
    ASSERT_TRUE(QFile::remove(path("tvclass_seals.cfg")));
    ASSERT_TRUE(QDir(scratch.path()).mkdir("tvclass_seals.cfg"));
    modals.expect({QMessageBox::Ok});
    click(loadButton);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(modals.seen()[0].text.contains("tvclass_seals.cfg"));
    EXPECT_EQ(dialog->statusText(), "3 Config Classes Read");
    expectPosition(0, 2, 3);
    EXPECT_EQ(state().table.records[2].classname.view(), "Class2");
}

TEST_F(NavigationTest, MenuCommandsMoveLikeTheButtons)
{
    writeClasses(3);
    trigger(40004);
    EXPECT_EQ(dialog->statusText(), "3 Config Classes Read");
    trigger(40009);
    trigger(40009);
    EXPECT_EQ(dialog->statusText(), "@ Class 2 / 2 [Class2]");
    trigger(40010);
    EXPECT_EQ(dialog->statusText(), "@ Class 1 / 2 [Class1]");
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Tolvane Class Creator \u00A9 - Editing Class1 "));
}

} // namespace
