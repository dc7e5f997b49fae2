// Write Out after the class file changed on disk, through the session: what
// it asks, what the file and the classes in memory hold afterwards, and what
// Review Changes showed while it asked.

#include "../sessioncommands.h"

#include "model/session/controlids.h"
#include "model/session/formbindings.h"
#include "classdata/files/backupstore.h"
#include "classdata/files/safesave.h"
#include "classdata/files/userdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

using namespace tolvane;

namespace {

const std::string loaded = "// Seals\n\n{\nclassname Sniper\nhealth 100\n}\n\n{\nclassname Scout\nhealth 90\n}\n";
const std::string scout = "{\nclassname Scout\nhealth 90\n}\n";

void replace(std::string &text, std::string_view from, std::string_view to)
{
    text.replace(text.find(from), from.size(), to);
}

struct Row
{
    const char *name;
    // The session's edits: n (Next Class), h<N> (type N into Health).
    const char *here;
    std::function<void(std::string &)> onDisk; // null: the file is deleted
    const char *answers;
    const char *asked;
    const char *names; // the classes in the file afterwards
    // The file afterwards, made from the file as loaded; null: not compared.
    std::function<void(std::string &)> expected;
    const char *shown;       // Classname and Health in the form afterwards
    const char *status;      // a part of the status line, or of the message shown
    const char *review = ""; // a part of what Review Changes showed
};

const auto sniperHealth = [](const char *health) {
    return [health](std::string &f) { replace(f, "health 100", std::string("health ") + health); };
};
const auto notes = [](std::string &f) {
    replace(f, "Seals\n", "Seals\n// v2\n"), replace(f, "Scout\n", "Scout\n// tuned\n");
};
const auto withoutScout = [](std::string &f) { replace(f, "\n" + scout, ""); };
const auto reordered = [](std::string &f) { withoutScout(f), replace(f, "Seals\n\n", "Seals\n\n" + scout + "\n"); };

const Row rows[] = {
    {"NotesAddedOnDisk", "h95", notes, "m", "C", "Sniper Scout",
     [](std::string &f) { notes(f), sniperHealth("95")(f); }, "Sniper 95",
     "2 classes written to tvclass_seals.cfg, merged with the changes made on disk", "+health 95"},
    {"OtherValuesChangedOnDisk", "h95", [](std::string &f) { replace(f, "health 90", "health 85"); }, "m", "C",
     "Sniper Scout", [](std::string &f) { replace(f, "health 90", "health 85"), sniperHealth("95")(f); }, "Sniper 95",
     "merged"},
    {"OtherValueOfTheClassChangedOnDisk", "h95",
     [](std::string &f) { replace(f, "health 100", "health 100\nspeed 2"); }, "m", "C", "Sniper Scout",
     [](std::string &f) { replace(f, "health 100", "health 95\nspeed 2"); }, "Sniper 95", "merged"},
    {"BothChangedKeepsTheFilesValue", "h95", sniperHealth("80"), "mk", "CK", "Sniper Scout", sniperHealth("80"),
     "Sniper 80", "merged", "Sniper: Health 80 in the file, 95 here"},
    {"BothChangedTakesThisSessionsValue", "h95", sniperHealth("80"), "mt", "CK", "Sniper Scout", sniperHealth("95"),
     "Sniper 95", "merged"},
    {"BothChangedCancelled", "h95", sniperHealth("80"), "mc", "CK", "Sniper Scout", sniperHealth("80"), "Sniper 95",
     ""},
    {"DeletedOnDiskEditedHereRemovedHereToo", "n h95", withoutScout, "mx", "CD", "Sniper", withoutScout, "Sniper 100",
     "merged", "Scout (changed here: Health 90 -> 95)"},
    {"DeletedOnDiskEditedHereKept", "n h95", withoutScout, "mh", "CD", "Sniper Scout", nullptr, "Scout 95", "merged",
     "Removed from the file on disk; kept here and written back:\n  Scout (changed here: Health 90 -> 95)"},
    {"DeletedOnDiskKept", "h95", withoutScout, "mh", "CD", "Sniper Scout", nullptr, "Sniper 95", "merged",
     "Remove Them:\n"},
    {"DeletedOnDiskCancelled", "h95", withoutScout, "mc", "CD", "Sniper", withoutScout, "Sniper 95", ""},
    {"RenamedInCaseOnDiskEditedHere", "n h95", [](std::string &f) { replace(f, "classname Scout", "classname scout"); },
     "m", "C", "Sniper scout", [](std::string &f) { replace(f, "Scout\nhealth 90", "scout\nhealth 95"); }, "scout 95",
     "merged"},
    {"ReorderedOnDisk", "h95", reordered, "m", "C", "Scout Sniper",
     [](std::string &f) { reordered(f), sniperHealth("95")(f); }, "Sniper 95", "merged"},
    {"ReplacedByAnotherProgramsFile", "h95", [](std::string &f) { f = "{\n \"volume\": 0.8\n}\n"; }, "", "", "?",
     [](std::string &f) { f = "{\n \"volume\": 0.8\n}\n"; }, "Sniper 95", "so it is not a class file"},
    {"DeletedOnDisk", "h95", nullptr, "", "", "Sniper Scout", nullptr, "Sniper 95",
     "tvclass_seals.cfg was deleted on disk; 2 classes written to it anew"},
    {"ReplaceLosesTheNotes", "h95", notes, "r", "C", "Sniper Scout", nullptr, "Sniper 95", "2 classes written",
     "notes and other changes in the file are lost"},
    {"ReloadTakesTheFile", "h95", sniperHealth("80"), "f", "C", "Sniper Scout", sniperHealth("80"), "Sniper 80",
     "2 Config Classes Read"},
};

class SessionMergeTest : public ::testing::TestWithParam<Row>, protected SessionBench
{
protected:
    SessionMergeTest() : SessionBench({}) {}
    void TearDown() override { EXPECT_EQ(view.unanswered(), 0u) << "an expected question was never asked"; }

    std::string &healthBox() { return *view.boxes.text(*bindingOfControl(ControlId::Health)); }
};

TEST_P(SessionMergeTest, WriteOutMergesIntoTheFileAsItIsNow)
{
    const Row &row = GetParam();
    ASSERT_TRUE(saveFileAtomically(seals(), loaded));
    session->loadConfig();
    std::istringstream edits(row.here);
    for (std::string edit; edits >> edit;) {
        if (edit[0] == 'h')
            healthBox() = edit.substr(1), session->refreshIndicators(view.form());
        else
            runSessionCommand(*session, parts->classList, classPicker, edit[0], "");
    }
    std::string disk = loaded;
    if (row.onDisk) {
        row.onDisk(disk);
        ASSERT_TRUE(saveFileAtomically(seals(), disk));
    } else {
        fs::remove(seals());
    }
    view.review = [this] { return parts->review.reviewChanges() + parts->review.fileDifferences(); };
    view.answer(row.answers);
    session->writeOut();
    EXPECT_EQ(view.asked, row.asked);
    EXPECT_EQ(namesIn(first.path, true), row.names);
    if (row.expected) {
        std::string expected = loaded;
        row.expected(expected);
        EXPECT_EQ(readWholeFile(seals()).bytes, expected);
    }
    EXPECT_EQ(view.boxes.className + ' ' + healthBox(), row.shown);
    const std::string told = view.told.empty() ? view.status : view.told.back().text;
    EXPECT_NE(told.find(row.status), std::string::npos) << told;
    EXPECT_NE(view.reviewed.find(row.review), std::string::npos) << view.reviewed;

    // The classes in memory took the file's changes: a second Write Out
    // keeps them, and asks nothing.
    if (!session->document().unsaved(view.form())) {
        const std::string written = readWholeFile(seals()).bytes;
        EXPECT_TRUE(session->writeOut());
        EXPECT_EQ(readWholeFile(seals()).bytes, written);
        EXPECT_EQ(view.asked, row.asked);
    }
}

std::size_t countOf(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class ManyConflictsTest : public ::testing::Test, protected SessionBench
{
protected:
    ManyConflictsTest() : SessionBench({}) {}
};

// A question stays short enough for the screen; Review Changes names every
// conflict.
TEST_F(ManyConflictsTest, TheQuestionNamesTheFirstConflictsAndTheReviewAll)
{
    run("F10 L e n e n e n e n e n e n e n e n e n e");
    std::vector<std::string> renamed;
    for (int i = 0; i < 10; ++i)
        renamed.push_back("c" + std::to_string(i) + "y");
    ASSERT_TRUE(saveFileAtomically(seals(), classFile(renamed)));
    view.review = [this] { return parts->review.reviewChanges(); };
    view.answer("c");
    session->writeOut();
    EXPECT_EQ(view.asked, "C");
    EXPECT_EQ(countOf(view.question, " in the file, "), 8u) << view.question;
    EXPECT_NE(view.question.find("and 2 more, which Review Changes lists"), std::string::npos) << view.question;
    EXPECT_EQ(countOf(view.reviewed, " in the file, "), 10u) << view.reviewed;
}

// Another program (or a crashed writer) cut the file to its first class
// after this run loaded its seven: the questions name each class the disk
// removed, nothing goes without the user's word, the file as loaded is kept
// among the earlier versions, and the merge is one step that Undo takes back.
class FileCutOnDiskTest : public ::testing::Test, protected SessionBench
{
protected:
    FileCutOnDiskTest() : SessionBench({"c0", "c1", "c2", "c3", "c4", "c5", "c6"}) {}

    void writeOutAfterTheCut(const char *answers)
    {
        run("L n e");
        ASSERT_TRUE(saveFileAtomically(seals(), cut));
        view.review = [this] { return parts->review.reviewChanges(); };
        view.answer(answers);
        session->writeOut();
        EXPECT_EQ(view.asked, "CD");
        for (const std::string &question : view.questions)
            EXPECT_NE(question.find("c1, c2, c3, c4, c5, c6"), std::string::npos) << question;
        EXPECT_NE(view.reviewed.find("c1 (changed here: Classname \"c1\" -> \"c1x\")"), std::string::npos)
            << view.reviewed;
        // The file as loaded, then the cut one where the write replaced it.
        const std::vector<BackupStore::Version> versions = BackupStore(backupsFolder(data.path)).versions(seals());
        ASSERT_FALSE(versions.empty());
        EXPECT_EQ(readWholeFile(versions.back().path).bytes, classFile({"c0", "c1", "c2", "c3", "c4", "c5", "c6"}));
        EXPECT_EQ(versions.size(), readWholeFile(seals()).bytes == cut ? 1u : 2u);
    }
    // The cut file, with a note in its class's block.
    const std::string cut = [] {
        std::string bytes = classFile({"c0"});
        return bytes.insert(bytes.find("classname c0\n"), "// the other program's note\n");
    }();
};

TEST_F(FileCutOnDiskTest, KeepsTheClassesTheDiskRemovedByDefault)
{
    writeOutAfterTheCut("mh");
    EXPECT_EQ(namesIn(first.path, true), "c0 c1x c2 c3 c4 c5 c6");
    EXPECT_EQ(view.boxes.className, "c1x");
    EXPECT_FALSE(session->document().unsaved(view.form()));
}

TEST_F(FileCutOnDiskTest, RemovesThemOnTheUsersWordAsOneStepThatUndoTakesBack)
{
    writeOutAfterTheCut("mx");
    EXPECT_EQ(namesIn(first.path, true), "c0");
    EXPECT_EQ(session->document().state().table.classCount, 1);
    EXPECT_EQ(view.classCommands.undo, "Merge with tvclass_seals.cfg");
    session->undo();
    EXPECT_EQ(session->document().state().table.classCount, 7);
    EXPECT_EQ(view.boxes.className, "c1x");
    EXPECT_TRUE(session->document().unsaved(view.form()));
    // Written again, the classes brought back join the first, which keeps
    // its block of the file.
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(view.asked, "CD");
    EXPECT_EQ(namesIn(first.path, true), "c0 c1x c2 c3 c4 c5 c6");
    EXPECT_NE(readWholeFile(seals()).bytes.find("// the other program's note\nclassname c0\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionMergeTest, ::testing::ValuesIn(rows), byRowName);

} // namespace
