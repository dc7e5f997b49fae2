// What the editor window reads and writes: the settings file at start and on
// "&Change Active-Config", the class file on "&Write Out".

#include "controlids.h"
#include "dialogtesthelpers.h"

#include "classfilewriter.h"
#include "controlids.h"
#include "fileio.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

using B = QMessageBox::StandardButton;

const QString seals = QStringLiteral("tvclass_seals.cfg");
const QString settings = QStringLiteral("tvcc.cfg");
const char *const tangosQuestion = "TANGOS CONFIG file will be readen on Restart";
const char *const restartQuestion = "Changes will be taken in effect in restarting this Programm";

// As text mode writes it, with the platform's line ends.
std::string settingsFile(int sealsActive)
{
    const std::string end = platformLineEnd;
    return "[TolvaneClassCreator]" + end + end + "Seals " + std::to_string(sealsActive) + end + end + "### END ###"
           + end;
}

// The team toggle's questions default to Yes; the program's own questions
// that can destroy data default to No.
void expectQuestionBox(const SeenModal &seen, B defaultButton = B::Yes)
{
    EXPECT_EQ(seen.type + u' ' + seen.title, QStringLiteral("QMessageBox Question"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, defaultButton);
}

// The warning names the file, then the reason.
void expectWarningAbout(const SeenModal &seen, const QString &path)
{
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_TRUE(seen.text.startsWith(QDir::toNativeSeparators(path))) << seen.text.toStdString();
    EXPECT_GT(seen.text.split(u'\n', Qt::SkipEmptyParts).size(), 2);
}

using StartUpTest = DialogTest;

// Start-up applies the settings file and reads nothing else: class files in
// the folder are neither loaded nor changed, and nothing is created.
TEST_F(StartUpTest, ReadsOnlyTheSettingsFile)
{
    const std::string classFile = "{\nclassname Medic\n}\n\n";
    writeFile(seals, classFile);
    writeFile(QStringLiteral("tvclass_tangos.cfg"), classFile);
    for (const bool withSettings : {false, true}) {
        SCOPED_TRACE(withSettings ? "settings file for the Tangos" : "no settings file");
        if (withSettings)
            writeFile(settings, settingsFile(0));
        const QStringList before = folderEntries();
        restartDialog();
        EXPECT_EQ(dialog->state().sealsActive, withSettings ? 0 : 1);
        EXPECT_EQ(log, withSettings ? "" : "Error opening tvcc.cfg\n");
        EXPECT_EQ(folderEntries(), before);
        EXPECT_EQ(readFile(seals), classFile);
        EXPECT_EQ(dialog->state().table.classCount, 0);
    }
}

struct ToggleRow
{
    const char *name;
    std::vector<QMessageBox::StandardButton> answers;
    std::vector<const char *> questions;
    int sealsAfter;
    bool writes; // the settings file
};

void PrintTo(const ToggleRow &row, std::ostream *os) { *os << row.name; }

using ToggleTest = DialogRowTest<ToggleRow>;

// The window starts without a settings file; only two Yes answers create one.
TEST_P(ToggleTest, AsksTwiceThenFlipsAndWritesTheSettingsFile)
{
    const ToggleRow &row = GetParam();
    const std::string logBefore = log;
    modals.expect(row.answers);

    trigger(CommandId::ChangeActiveConfig);

    ASSERT_EQ(modals.seen().size(), row.questions.size());
    for (std::size_t i = 0; i < row.questions.size(); ++i) {
        expectQuestionBox(modals.seen()[i]);
        EXPECT_EQ(modals.seen()[i].text, QString::fromLatin1(row.questions[i]));
    }
    EXPECT_EQ(dialog->state().sealsActive, row.sealsAfter);
    EXPECT_EQ(command(CommandId::ChangeActiveConfig)->text(),
              row.sealsAfter ? "&Change Active-Config (Seals)" : "&Change Active-Config (Tangos)");
    EXPECT_EQ(readFile(settings), row.writes ? settingsFile(row.sealsAfter) : std::string());
    EXPECT_EQ(log, logBefore + (row.writes ? "File written [tvcc.cfg]\n" : ""));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ToggleTest,
    ::testing::Values(ToggleRow{"No", {B::No}, {tangosQuestion}, 1, false},
                      ToggleRow{"YesThenNo", {B::Yes, B::No}, {tangosQuestion, restartQuestion}, 0, false},
                      ToggleRow{"YesYes", {B::Yes, B::Yes}, {tangosQuestion, restartQuestion}, 0, true}),
    [](const auto &info) { return std::string(info.param.name); });

using SettingsFailureTest = DialogTest;

TEST_F(SettingsFailureTest, UnwritableSettingsFileIsReportedAndTheFlipStays)
{
    ASSERT_TRUE(QDir(scratch.path()).mkdir(settings));
    restartDialog();
    const std::string logBefore = log;
    modals.expect({B::Yes, B::Yes, B::Ok});
    trigger(CommandId::ChangeActiveConfig);

    ASSERT_EQ(modals.seen().size(), 3u);
    expectWarningAbout(modals.seen()[2], path(settings));
    EXPECT_EQ(log, logBefore);
    EXPECT_EQ(dialog->state().sealsActive, 0);
    EXPECT_TRUE(QFileInfo(path(settings)).isDir());
}

struct WriteRow
{
    const char *name;
    const char *loaded;  // the class file, loaded with "&Load Config" first
    const char *onDisk;  // then on disk; nullptr: a folder by that name
    std::vector<QMessageBox::StandardButton> answers;
    const char *lineEnd; // of the file written; nullptr: nothing is written
};

void PrintTo(const WriteRow &row, std::ostream *os) { *os << row.name; }

using WriteOutTest = DialogRowTest<WriteRow>;

// The form is stored first, then the table replaces the class file, after a
// question when the file is not the one this run last loaded or wrote.
TEST_P(WriteOutTest, AsksBeforeReplacingAFileItDoesNotKnow)
{
    const WriteRow &row = GetParam();
    if (row.loaded) {
        writeFile(seals, row.loaded);
        click(ControlId::LoadConfig);
    }
    if (row.onDisk)
        writeFile(seals, row.onDisk);
    else
        ASSERT_TRUE(QDir(scratch.path()).mkdir(seals));
    const std::string old = readFile(seals);
    control<QLineEdit>(ControlId::ClassName)->setText(QStringLiteral("Medic"));
    modals.expect(row.answers);

    click(ControlId::WriteOut);

    ASSERT_EQ(modals.seen().size(), row.answers.size());
    if (!row.answers.empty()) {
        expectQuestionBox(modals.seen().front(), B::No);
        EXPECT_TRUE(modals.seen().front().text.contains(QDir::toNativeSeparators(path(seals))));
    }
    if (!row.onDisk)
        expectWarningAbout(modals.seen().back(), path(seals));
    EXPECT_EQ(dialog->state().current().classname, "Medic");
    EXPECT_EQ(readFile(seals), row.lineEnd ? ClassFileBytes(dialog->state().table, row.lineEnd) : old);
    if (row.lineEnd)
        EXPECT_EQ(dialog->statusText(), "1 class written to tvclass_seals.cfg");
    EXPECT_EQ(folderEntries(), QStringList{seals});
}

const char *const crLfFile = "{\r\nclassname Scout\r\n}\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, WriteOutTest,
    ::testing::Values(WriteRow{"UnknownFileReplaced", nullptr, "// someone else's\n", {B::Yes}, "\n"},
                      WriteRow{"LoadedCrLfFileKeepsItsLineEnds", crLfFile, crLfFile, {}, "\r\n"},
                      WriteRow{"ChangedOnDiskSinceLoadKept", crLfFile, "// changed meanwhile\n", {B::No}, nullptr},
                      WriteRow{"PathIsAFolder", nullptr, nullptr, {B::Yes, B::Ok}, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
