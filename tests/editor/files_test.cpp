// What the editor window reads and writes: the settings file at start and on
// "&Change Active-Config", the class file on "&Write Out".

#include "dialogtesthelpers.h"

#include "classfilewriter.h"
#include "fileio.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

const QString seals = QStringLiteral("tvclass_seals.cfg");
const QString tangos = QStringLiteral("tvclass_tangos.cfg");
const QString settings = QStringLiteral("tvcc.cfg");
const char *const tangosQuestion = "TANGOS CONFIG file will be readen on Restart";
const char *const sealsQuestion = "SEALS CONFIG file will be readen on Restart";
const char *const restartQuestion = "Changes will be taken in effect in restarting this Programm";

// Text with the platform's line ends, as text mode writes it.
std::string onDisk(std::string_view text)
{
    std::string bytes;
    for (char c : text)
        c == '\n' ? bytes += platformLineEnd : bytes += c;
    return bytes;
}

std::string settingsFile(int seals)
{
    return onDisk("[TolvaneClassCreator]\n\nSeals " + std::to_string(seals) + "\n\n### END ###\n");
}

void expectQuestionBox(const SeenModal &seen)
{
    EXPECT_EQ(seen.type, QStringLiteral("QMessageBox"));
    EXPECT_EQ(seen.title, QStringLiteral("Question"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
}

void expectWarningAbout(const SeenModal &seen, const QString &path)
{
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_TRUE(seen.text.startsWith(QDir::toNativeSeparators(path))) << seen.text.toStdString();
    // The reason follows the file's name.
    EXPECT_GT(seen.text.split(u'\n', Qt::SkipEmptyParts).size(), 2);
}

struct StartRow
{
    const char *name;
    const char *settings; // nullptr: no settings file
    int sealsActive;
    const char *log;
};

void PrintTo(const StartRow &row, std::ostream *os)
{
    *os << row.name;
}

class StartUpTest : public DialogRowTest<StartRow>
{
};

// Start-up reads the settings file and nothing else: class files lying in
// the folder are neither loaded nor changed, and nothing is created.
TEST_P(StartUpTest, ReadsOnlyTheSettingsFile)
{
    const StartRow &row = GetParam();
    const std::string classFile = "{\nclassname Medic\n}\n\n";
    writeFile(seals, classFile);
    writeFile(tangos, classFile);
    if (row.settings)
        writeFile(settings, onDisk(row.settings));
    const QStringList before = folderEntries();

    restartDialog();
    EXPECT_EQ(dialog->state().sealsActive, row.sealsActive);
    EXPECT_EQ(log.str(), row.log);
    EXPECT_EQ(folderEntries(), before);
    EXPECT_EQ(readFile(seals), classFile);
    EXPECT_EQ(dialog->state().table.classCount, 0);
    EXPECT_EQ(dialog->control<QLineEdit>(1010)->text(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StartUpTest,
    ::testing::Values(StartRow{"NoSettingsFile", nullptr, 1, "Error opening tvcc.cfg\n"},
                      StartRow{"TangosActive", "[TolvaneClassCreator]\n\nSeals 0\n\n### END ###\n", 0, ""},
                      StartRow{"SealsActive", "[TolvaneClassCreator]\nSeals 1\n", 1, ""}),
    [](const auto &info) { return std::string(info.param.name); });

using EmptyFolderTest = DialogTest;

TEST_F(EmptyFolderTest, StartUpCreatesNothing)
{
    EXPECT_TRUE(folderEntries().isEmpty());
    EXPECT_EQ(log.str(), "Error opening tvcc.cfg\n");
    EXPECT_EQ(dialog->state().sealsActive, 1);
}

struct ToggleRow
{
    const char *name;
    int sealsAtStart;
    int toggles;
    std::vector<QMessageBox::StandardButton> answers;
    std::vector<const char *> questions;
    int sealsAfter;
    int writes; // settings files written
};

void PrintTo(const ToggleRow &row, std::ostream *os)
{
    *os << row.name;
}

class ToggleTest : public DialogRowTest<ToggleRow>
{
};

TEST_P(ToggleTest, AsksTwiceThenFlipsAndWritesTheSettingsFile)
{
    const ToggleRow &row = GetParam();
    if (row.sealsAtStart == 0) {
        writeFile(settings, settingsFile(0));
        restartDialog();
    }
    const std::string settingsBefore = readFile(settings);
    const std::string logBefore = log.str();
    modals.expect(row.answers);

    for (int i = 0; i < row.toggles; ++i)
        trigger(40013);

    ASSERT_EQ(modals.seen().size(), row.questions.size());
    for (std::size_t i = 0; i < row.questions.size(); ++i) {
        SCOPED_TRACE(i);
        expectQuestionBox(modals.seen()[i]);
        EXPECT_EQ(modals.seen()[i].text, QString::fromLatin1(row.questions[i]));
    }
    EXPECT_EQ(dialog->state().sealsActive, row.sealsAfter);
    EXPECT_EQ(readFile(settings), row.writes ? settingsFile(row.sealsAfter) : settingsBefore);
    std::string written;
    for (int i = 0; i < row.writes; ++i)
        written += "File written [tvcc.cfg]\n";
    EXPECT_EQ(log.str(), logBefore + written);
}

using B = QMessageBox::StandardButton;

INSTANTIATE_TEST_SUITE_P(
    Answers, ToggleTest,
    ::testing::Values(
        ToggleRow{"No", 1, 1, {B::No}, {tangosQuestion}, 1, 0},
        ToggleRow{"YesThenNo", 1, 1, {B::Yes, B::No}, {tangosQuestion, restartQuestion}, 0, 0},
        ToggleRow{"YesYes", 1, 1, {B::Yes, B::Yes}, {tangosQuestion, restartQuestion}, 0, 1},
        ToggleRow{"FromTangos", 0, 1, {B::Yes, B::Yes}, {sealsQuestion, restartQuestion}, 1, 1},
        ToggleRow{"FromTangosNo", 0, 1, {B::No}, {sealsQuestion}, 0, 0},
        ToggleRow{"Twice", 1, 2, {B::Yes, B::Yes, B::Yes, B::Yes},
                  {tangosQuestion, restartQuestion, sealsQuestion, restartQuestion}, 1, 2}),
    [](const auto &info) { return std::string(info.param.name); });

using SettingsFailureTest = DialogTest;

TEST_F(SettingsFailureTest, UnwritableSettingsFileIsReportedAndTheFlipStays)
{
    ASSERT_TRUE(QDir(scratch.path()).mkdir(settings));
    restartDialog();
    const std::string logBefore = log.str();
    modals.expect({B::Yes, B::Yes, B::Ok});
    trigger(40013);

    ASSERT_EQ(modals.seen().size(), 3u);
    expectWarningAbout(modals.seen()[2], path(settings));
    EXPECT_EQ(log.str(), logBefore);
    EXPECT_EQ(dialog->state().sealsActive, 0);
    EXPECT_TRUE(QFileInfo(path(settings)).isDir());
}

TEST_F(SettingsFailureTest, FlipTakesEffectInThisRun)
{
    modals.expect({B::Yes, B::No});
    trigger(40013);
    click(2);
    EXPECT_EQ(folderEntries(), QStringList{tangos});
}

enum class Before { Nothing, Unknown, Loaded, LoadedCrLf, Written, ChangedAfterWrite, Directory };

struct WriteRow
{
    const char *name;
    Before before;
    std::vector<QMessageBox::StandardButton> answers;
    bool asks;
    bool warns;
    bool replaces;
    const char *lineEnd = platformLineEnd;
};

void PrintTo(const WriteRow &row, std::ostream *os)
{
    *os << row.name;
}

class WriteOutTest : public DialogRowTest<WriteRow>
{
protected:
    void prepare(Before before)
    {
        switch (before) {
        case Before::Nothing: break;
        case Before::Unknown: writeFile(seals, "// someone else's\n"); break;
        case Before::Loaded:
        case Before::LoadedCrLf:
            writeFile(seals, before == Before::Loaded ? "{\nclassname Scout\n}\n\n" : "{\r\nclassname Scout\r\n}\r\n\r\n");
            click(1003);
            break;
        case Before::Written:
        case Before::ChangedAfterWrite:
            click(2);
            if (before == Before::ChangedAfterWrite)
                writeFile(seals, "// changed meanwhile\n");
            break;
        case Before::Directory: ASSERT_TRUE(QDir(scratch.path()).mkdir(seals)); break;
        }
    }
};

// The form is stored first, then the table replaces the class file, after a
// question when the file is not the one this run last loaded or wrote.
TEST_P(WriteOutTest, AsksBeforeReplacingAFileItDoesNotKnow)
{
    const WriteRow &row = GetParam();
    prepare(row.before);
    const std::string old = readFile(seals);
    control<QLineEdit>(1010)->setText(QStringLiteral("Medic"));
    modals.expect(row.answers);

    click(2);

    ASSERT_EQ(modals.seen().size(), row.answers.size());
    if (row.asks) {
        const SeenModal &question = modals.seen().front();
        expectQuestionBox(question);
        EXPECT_TRUE(question.text.contains(QDir::toNativeSeparators(path(seals)))) << question.text.toStdString();
    }
    if (row.warns)
        expectWarningAbout(modals.seen().back(), path(seals));
    EXPECT_EQ(dialog->state().current().classname, "Medic");
    if (row.replaces) {
        EXPECT_EQ(readFile(seals), ClassFileBytes(dialog->state().table, row.lineEnd));
        EXPECT_NE(readFile(seals).find("classname Medic"), std::string::npos);
    } else {
        EXPECT_EQ(readFile(seals), old);
    }
    EXPECT_TRUE(folderEntries() == QStringList{seals}) << folderEntries().join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, WriteOutTest,
    ::testing::Values(WriteRow{"NewFile", Before::Nothing, {}, false, false, true},
                      WriteRow{"UnknownFileKept", Before::Unknown, {B::No}, true, false, false},
                      WriteRow{"UnknownFileReplaced", Before::Unknown, {B::Yes}, true, false, true},
                      WriteRow{"LoadedFile", Before::Loaded, {}, false, false, true},
                      WriteRow{"LoadedCrLfFileKeepsItsLineEnds", Before::LoadedCrLf, {}, false, false, true, "\r\n"},
                      WriteRow{"WrittenBefore", Before::Written, {}, false, false, true},
                      WriteRow{"ChangedOnDiskKept", Before::ChangedAfterWrite, {B::No}, true, false, false},
                      WriteRow{"ChangedOnDiskReplaced", Before::ChangedAfterWrite, {B::Yes}, true, false, true},
                      WriteRow{"PathIsAFolder", Before::Directory, {B::Yes, B::Ok}, true, true, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
