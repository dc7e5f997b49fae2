// What the editor window reads and writes: the settings file at start and on
// "&Change Active-Config", the class file on "&Write Out".

#include "windowcommands.h"
#include "dialogtesthelpers.h"

#include "classdata/files/fileio.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>

#include <filesystem>

using namespace tolvane;

namespace {

namespace fs = std::filesystem;
using B = QMessageBox::StandardButton;

const QString seals = QStringLiteral("tvclass_seals.cfg");
const QString settings = QStringLiteral("tvcc.cfg");

// As text mode writes it, with the platform's line ends.
std::string settingsFile(int sealsActive)
{
    const std::string end = platformLineEnd;
    return "[TolvaneClassCreator]" + end + end + "Seals " + std::to_string(sealsActive) + end + end + "### END ###"
           + end;
}

// The program's own questions that can destroy data default to No.
void expectQuestionBox(const SeenModal &seen, B defaultButton)
{
    EXPECT_EQ(seen.type + u' ' + seen.title, QStringLiteral("QMessageBox Tolvane Class Creator"));
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

using WriteOutTest = DialogTest;

// Write Out asks through a Yes/No question box, No the default.
TEST_F(WriteOutTest, AsksBeforeReplacingAFileItDoesNotKnow)
{
    writeFile(seals, "// someone else's\n");
    modals.expect({B::No});
    click(ControlId::WriteOut);
    ASSERT_EQ(modals.seen().size(), 1u);
    expectQuestionBox(modals.seen().front(), B::No);
    EXPECT_TRUE(modals.seen().front().text.contains(QDir::toNativeSeparators(path(seals))));
    EXPECT_EQ(readFile(seals), "// someone else's\n");
}

using SheetTest = DialogTest;

// Export writes the sheet the file dialog names; Import shows the sheet's
// changes in Review Changes and makes them one step, or tells a bad cell by
// row, column and reason and changes nothing.
TEST_F(SheetTest, ExportAndImportGoThroughTheFileDialogAndReviewChanges)
{
    writeFile(seals, classFile({"Sniper", "Medic"}));
    click(ControlId::LoadConfig);
    const QString sheet = QStringLiteral("tvclass_seals.csv");
    modals.expect({B::Ok});
    trigger(CommandId::ExportClasses);
    EXPECT_TRUE(readFile(sheet).starts_with("\xEF\xBB\xBF"
                                            "classname,"));
    EXPECT_EQ(dialog->statusText(), QStringLiteral("2 classes exported to tvclass_seals.csv"));

    writeFile(sheet, "classname,health\nMedic,50\n");
    modals.expect({B::Ok, B::Ok});
    trigger(CommandId::ImportClasses);
    ASSERT_EQ(modals.seen().size(), 3u);
    EXPECT_EQ(modals.seen()[2].type + u' ' + modals.seen()[2].title,
              QStringLiteral("ReviewDialog Review Changes - Import tvclass_seals.csv"));
    EXPECT_EQ(modals.seen()[2].text, QStringLiteral("Medic: Health 100 -> 50\n"));
    EXPECT_EQ(dialog->state().table.records[1].health, 50);
    EXPECT_EQ(command(CommandId::Undo)->text(), QStringLiteral("Un&do Import Classes"));

    writeFile(sheet, "classname,health\nMedic,5O\nSniper,60\n");
    modals.expect({B::Ok, B::Ok});
    trigger(CommandId::ImportClasses);
    ASSERT_EQ(modals.seen().size(), 5u);
    EXPECT_EQ(modals.seen()[4].icon, QMessageBox::Warning);
    EXPECT_TRUE(modals.seen()[4].text.contains(u"row 2, column B (health): \"5O\" is not a whole number"))
        << modals.seen()[4].text.toStdString();
    EXPECT_EQ(dialog->state().table.records[0].health, 100);
    EXPECT_EQ(dialog->state().table.records[1].health, 50);
}

// A file changed on disk since it was loaded: four answers, Merge the
// default, then for a value changed on both sides the file's value the
// default; the merge keeps the other program's note and value.
TEST_F(WriteOutTest, AChangeOnDiskIsMergedWithTheFilesValuesKept)
{
    writeFile(seals, "{\nclassname A\nhealth 100\n}\n");
    restartDialog();
    click(ControlId::LoadConfig);
    control<QLineEdit>(ControlId::ClassName)->setText(QStringLiteral("Medic"));
    control<QLineEdit>(ControlId::Health)->setText(QStringLiteral("95"));
    writeFile(seals, "// theirs\n{\nclassname A\nhealth 80\n}\n");
    modals.expect({B::Apply, B::Close, B::Save, B::Save});
    click(ControlId::WriteOut);
    ASSERT_EQ(modals.seen().size(), 4u);
    const SeenModal &merge = modals.seen()[0], &review = modals.seen()[1], &sides = modals.seen()[3];
    EXPECT_TRUE(review.text.contains(QStringLiteral("Merge (the default):"))) << review.text.toStdString();
    EXPECT_TRUE(review.text.contains(QStringLiteral("Classname \"A\" -> \"Medic\""))) << review.text.toStdString();
    EXPECT_EQ(modals.seen()[2].text, merge.text) << "the question comes back after the review";
    EXPECT_EQ(merge.icon, QMessageBox::Warning);
    EXPECT_EQ(merge.buttons, B::Save | B::Discard | B::Reset | B::Cancel);
    EXPECT_EQ(merge.defaultButton, B::Save);
    for (const char *answer : {"Merge", "Replace", "Reload from Disk", "Cancel", "Review Changes..."})
        EXPECT_TRUE(merge.buttonTexts.contains(QLatin1String(answer))) << answer;
    EXPECT_EQ(sides.defaultButton, B::Save);
    EXPECT_TRUE(sides.buttonTexts.contains(QStringLiteral("Keep the File's Values")));
    EXPECT_EQ(readFile(seals), "// theirs\n{\nclassname Medic\nhealth 80\n}\n");
    EXPECT_EQ(control<QLineEdit>(ControlId::Health)->text(), QStringLiteral("80"));
    EXPECT_FALSE(dialog->isWindowModified());
}

// Classes another program removed from the file stay unless the user says
// otherwise: both questions name them, and Keep Them is the default.
TEST_F(WriteOutTest, ClassesTheDiskRemovedAreNamedAndKeptByDefault)
{
    writeFile(seals, classFile({"A", "B", "C"}));
    restartDialog();
    click(ControlId::LoadConfig);
    control<QLineEdit>(ControlId::Health)->setText(QStringLiteral("95"));
    writeFile(seals, classFile({"A"}));
    modals.expect({B::Save, B::Save});
    click(ControlId::WriteOut);
    ASSERT_EQ(modals.seen().size(), 2u);
    const SeenModal &merge = modals.seen()[0], &removed = modals.seen()[1];
    EXPECT_TRUE(merge.text.contains(QStringLiteral("Merge keeps in memory and writes back unless you choose to "
                                                   "remove them: B, C.")))
        << merge.text.toStdString();
    EXPECT_EQ(removed.icon, QMessageBox::Warning);
    EXPECT_EQ(removed.buttons, B::Save | B::Discard | B::Cancel);
    EXPECT_EQ(removed.defaultButton, B::Save);
    for (const char *answer : {"Keep Them", "Remove Them", "Cancel", "Review Changes..."})
        EXPECT_TRUE(removed.buttonTexts.contains(QLatin1String(answer))) << answer;
    EXPECT_TRUE(removed.text.contains(QStringLiteral("still in memory:\n    B, C\n"))) << removed.text.toStdString();
    for (const char *kept : {"classname B\n", "classname C\n", "health 95\n"})
        EXPECT_NE(readFile(seals).find(kept), std::string::npos) << kept;
    EXPECT_EQ(dialog->state().table.classCount, 3);
    EXPECT_FALSE(dialog->isWindowModified());
}

// Each Write Out keeps the version it replaces; the File menu lists them by
// date with what restoring one changes, and puts it back as one step.
TEST_F(WriteOutTest, RestorePreviousVersionListsTheVersionsByDate)
{
    writeFile(seals, classFile({"A"}));
    restartDialog();
    click(ControlId::LoadConfig);
    for (const char *name : {"Medic", "Sniper"}) {
        control<QLineEdit>(ControlId::ClassName)->setText(QLatin1String(name));
        click(ControlId::WriteOut);
    }
    modals.expect({B::Ok});
    trigger(CommandId::RestorePreviousVersion);
    ASSERT_EQ(modals.seen().size(), 1u);
    const SeenModal &versions = modals.seen()[0];
    EXPECT_EQ(versions.title, QStringLiteral("Restore Previous Version"));
    ASSERT_EQ(versions.items.size(), 2);
    // Kept within one second, they are told apart.
    const QRegularExpression date(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d( \\(2\\))?$"));
    EXPECT_TRUE(date.match(versions.items[0]).hasMatch()) << versions.items[0].toStdString();
    EXPECT_NE(versions.items[0], versions.items[1]);
    EXPECT_TRUE(versions.text.contains(QStringLiteral("Classname \"Sniper\" -> \"Medic\"")))
        << versions.text.toStdString();
    EXPECT_EQ(control<QLineEdit>(ControlId::ClassName)->text(), QStringLiteral("Medic"));
    EXPECT_TRUE(dialog->isWindowModified());
    EXPECT_EQ(command(CommandId::Undo)->text(), QStringLiteral("Un&do Restore Previous Version"));
    EXPECT_EQ(folderEntries(), QStringList(seals));
}

// The unsaved classes go to the recovery file seconds after a change, and
// the next start in the folder offers them back; Restore is the default (the
// session's rows and the program's test write them out).
TEST_F(WriteOutTest, UnsavedClassesComeBackAfterACrash)
{
    writeFile(seals, classFile({"A"}));
    restartDialog();
    click(ControlId::LoadConfig);
    control<QLineEdit>(ControlId::ClassName)->setText(QStringLiteral("Medic"));
    const fs::path recovery = RecoveryStore(recoveryFolder(userDataFolder())).fileFor(pathFromQt(scratch.path()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(recovery); }, 3 * CreatorDialog::recoveryDelayMs));
    modals.expect({B::Save});
    restartDialog(true);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].buttons, B::Save | B::Discard);
    EXPECT_EQ(modals.seen()[0].defaultButton, B::Save);
    EXPECT_EQ(control<QLineEdit>(ControlId::ClassName)->text(), QStringLiteral("Medic"));
    EXPECT_TRUE(dialog->isWindowModified());
}

} // namespace
