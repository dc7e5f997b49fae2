// Write Out and Load Config against the files they meet: links, files of
// other programs, values the form cannot show, blocks the game does not
// read, and writes that fail.

#include "../sessioncommands.h"

#include "classdata/format/classfilereader.h"
#include "classdata/files/safesave.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

using namespace tolvane;

namespace fs = std::filesystem;

namespace {

class SessionSaveTest : public ::testing::Test, protected SessionBench
{
protected:
    SessionSaveTest() : SessionBench({"A", "B"}) {}
    void TearDown() override
    {
        setSaveFaultForTests({});
        EXPECT_EQ(view.unanswered(), 0u) << "an expected question was never asked";
    }
    std::string sealsBytes() const { return readWholeFile(seals()).bytes; }
};

// A box whose text was not changed keeps the class's value exactly, and the
// ability bits without a box stay: a Write Out without an edit changes nothing.
TEST_F(SessionSaveTest, UntouchedValuesStayExact)
{
    const std::string file = "{\nclassname A\nunderwaterair 0.0000001\njump 3.1415926\nclassabilities 2050\n}\n";
    ASSERT_TRUE(saveFileAtomically(seals(), file));
    session->loadConfig();
    EXPECT_EQ(view.boxes.floats[2], "0.000000");
    EXPECT_FALSE(view.unsavedMark);
    EXPECT_EQ(parts->review.reviewChanges(), "No class has changed since the file was last loaded or written.\n");
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(sealsBytes(), file);

    view.boxes.abilities[0] = true; // AT-4 Scope, 0x1
    view.boxes.floats[1] = "3.5";   // jump
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(sealsBytes(), "{\nclassname A\nunderwaterair 0.0000001\njump 3.500000\nclassabilities 2051\n}\n");
}

// Blocks after the 64th, which the game does not read, stay with the text
// after them; when a deleted class would let the game read one, Write Out
// asks, and on Yes the classes in memory take it.
TEST_F(SessionSaveTest, BlocksAfterThe64thStayAndAreReadOnlyWhenTheUserSays)
{
    const auto blocks = [](int from, int to) {
        std::string text;
        for (int i = from; i < to; ++i)
            text += "{\nclassname c" + std::to_string(i) + "\n}\n\n";
        return text;
    };
    const std::string file = blocks(0, 66) + "// the modder's\n// last\n// lines\n";
    ASSERT_TRUE(saveFileAtomically(seals(), file));
    session->loadConfig();
    view.answer("yn");
    parts->classList.deleteClass();
    EXPECT_FALSE(session->writeOut());
    EXPECT_EQ(view.asked, "XB");
    EXPECT_EQ(sealsBytes(), file);
    EXPECT_TRUE(view.unsavedMark);

    view.answer("y");
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(sealsBytes(), blocks(1, 66) + "// the modder's\n// last\n// lines\n");
    EXPECT_EQ(session->document().state().table.classCount, 64);
    EXPECT_EQ(session->document().state().table.records[63].classname.view(), "c64");
    EXPECT_EQ(view.status, "63 classes written to tvclass_seals.cfg; 1 more read from it");
    EXPECT_FALSE(view.unsavedMark);
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(view.asked, "XBB");
}

// A replace that fails after the new file was written: the window says so,
// the file and its folder stay as they were, and the changes stay unsaved.
TEST_F(SessionSaveTest, AFailedReplaceIsReportedAndTheChangesStayUnsaved)
{
    session->loadConfig();
    view.boxes.className = "Ax";
    setSaveFaultForTests([this](const fs::path &path) {
        return path == seals() ? std::make_error_code(std::errc::io_error) : std::error_code();
    });
    EXPECT_FALSE(session->writeOut());
    EXPECT_EQ(namesIn(first.path, true), "A B");
    EXPECT_EQ(std::distance(fs::directory_iterator(first.path), {}), 1) << "a side file was left";
    EXPECT_EQ(view.status.find("written"), std::string::npos) << view.status;
    EXPECT_TRUE(view.unsavedMark);
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_EQ(view.told[0].text, displayText(seals()) + " could not be written:\n"
                                     + std::make_error_code(std::errc::io_error).message()
                                     + "\n\nThe file on disk is unchanged.");
}

#ifndef _WIN32
// A class file that is a symbolic link is written through only to a regular
// file, after a question naming it; the link stays.
TEST_F(SessionSaveTest, WriteOutThroughALinkAsksNamingTheRealFile)
{
    const fs::path real = other.path / ".bashrc";
    std::ofstream(real) << "# mine\n";
    fs::remove(seals());
    fs::create_symlink(real, seals());
    view.boxes.className = "x";
    view.answer("n");
    EXPECT_FALSE(session->writeOut());
    EXPECT_EQ(readWholeFile(real).bytes, "# mine\n");
    view.answer("yy");
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(view.asked, "SSE");
    EXPECT_TRUE(fs::is_symlink(seals()));
    EXPECT_EQ(namesIn(first.path, true), "x");

    for (const fs::path &to : {other.path, other.path / "missing"}) {
        fs::remove(seals());
        fs::create_symlink(to, seals());
        view.told.clear();
        EXPECT_FALSE(session->writeOut());
        ASSERT_EQ(view.told.size(), 1u);
        EXPECT_NE(view.told[0].text.find("which is not a regular file"), std::string::npos) << view.told[0].text;
        EXPECT_EQ(view.asked, "SSE");
    }
    EXPECT_TRUE(fs::is_directory(other.path));
}
#endif

} // namespace
