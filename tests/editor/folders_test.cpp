// The game folder: chosen at start, from the File menu, from Recent Folders
// or by a drop; kept native; never replaced by another folder when it is
// gone. And the question before unsaved changes are dropped.

#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classdata/format/classfilewriter.h"
#include "windowcommands.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QWheelEvent>

#include <filesystem>
#include <fstream>

using namespace tolvane;

namespace fs = std::filesystem;

namespace {

using B = QMessageBox::StandardButton;

#ifdef _WIN32
const fs::path latin1Name = L"Spiel\u00E4";
#else
const fs::path latin1Name = "Spiel\xE4"; // not valid UTF-8
#endif

void writeNative(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class FolderTest : public DialogTest
{
protected:
    fs::path base() const { return pathFromQt(scratch.path()); }
    fs::path makeFolder(const fs::path &name) const
    {
        fs::create_directories(base() / name);
        return base() / name;
    }
    void startIn(const GameFolder &folder)
    {
        dialog.reset();
        log.clear();
        dialog = std::make_unique<CreatorDialog>(folder, logSink());
    }
    QStringList recentEntries() const
    {
        QStringList texts;
        for (QAction *action : command(CommandId::RecentFolders)->menu()->actions())
            texts << action->text();
        return texts;
    }
};

// A folder whose name is not text: its files are read, named and written
// under the folder's own name.
TEST_F(FolderTest, FolderNameThatIsNotTextStaysNativeToTheFiles)
{
    const fs::path folder = makeFolder(latin1Name);
    writeNative(folder / "tvcc.cfg", "[TolvaneClassCreator]\nSeals 0\n");
    writeNative(folder / "tvclass_tangos.cfg", classFile({"A", "B", "C", "D", "E", "F", "G"}));
    startIn(GameFolder::at(folder));

    EXPECT_EQ(log, "");
    EXPECT_EQ(dialog->state().sealsActive, 0);
    EXPECT_EQ(command(CommandId::ChangeActiveConfig)->text(), "&Change Active-Config (Tangos)");
    EXPECT_EQ(dialog->windowFilePath(), displayPath(folder));
    click(ControlId::LoadConfig);
    EXPECT_EQ(dialog->statusText(), "7 Config Classes Read");

    modals.expect({B::Ok});
    trigger(CommandId::Help);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_TRUE(modals.seen()[0].text.contains(displayPath(folder)));
    EXPECT_TRUE(modals.seen()[0].text.contains("tvclass_tangos.cfg"));

    typeInto(control<QLineEdit>(ControlId::ClassName), "Medic");
    click(ControlId::WriteOut);
    EXPECT_EQ(dialog->statusText(), "7 classes written to tvclass_tangos.cfg");
    std::ifstream written(folder / "tvclass_tangos.cfg", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), classFileBytes(dialog->state().table, "\n"));
    modals.expect({B::Yes, B::Yes});
    trigger(CommandId::ChangeActiveConfig);
    std::ifstream settings(folder / "tvcc.cfg", std::ios::binary);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(settings), {}).find("Seals 1"), std::string::npos);
}

TEST_F(FolderTest, RecentFoldersLastFiveAcrossRuns)
{
    std::vector<fs::path> folders;
    for (const char *name : {"a", "b", "c", "d", "e", "f"}) {
        folders.push_back(makeFolder(name));
        ASSERT_TRUE(dialog->session().openFolder(GameFolder::at(folders.back())));
    }
    restartDialog(); // the next run, in the scratch folder itself

    const auto entry = [](int number, const fs::path &folder) {
        return QStringLiteral("&%1 %2").arg(number).arg(displayPath(folder));
    };
    EXPECT_EQ(recentEntries(), QStringList({entry(1, base()), entry(2, folders[5]), entry(3, folders[4]),
                                            entry(4, folders[3]), entry(5, folders[2])}));
    command(CommandId::RecentFolders)->menu()->actions()[2]->trigger();
    EXPECT_EQ(dialog->folder().path(), folders[4]);
    EXPECT_EQ(recentEntries().first(), entry(1, folders[4]));

    // A recent folder that is gone is not opened.
    fs::remove(folders[3]);
    modals.expect({B::Ok});
    command(CommandId::RecentFolders)->menu()->actions()[3]->trigger();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_TRUE(modals.seen()[0].text.contains(displayPath(folders[3])));
    EXPECT_EQ(dialog->folder().path(), folders[4]);
}

TEST_F(FolderTest, DroppedFolderOrClassFileOpensThatFolder)
{
    const fs::path other = makeFolder(latin1Name);
    writeNative(other / "tvclass_seals.cfg", classFile({"A"}));
    writeNative(other / "notes.txt", "x");
    const std::pair<fs::path, fs::path> rows[] = {
        {other, other}, {other / "tvclass_seals.cfg", other}, {other / "notes.txt", {}}, {base() / "gone", {}}};
    for (const auto &[dropped, opened] : rows) {
        SCOPED_TRACE(dropped.string());
        startIn(GameFolder::at(base()));
        QMimeData mime;
#ifdef _WIN32
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdWString(dropped.native()))});
#else
        mime.setUrls(
            {QUrl::fromEncoded("file://" + QByteArray::fromStdString(dropped.native()).toPercentEncoding("/"))});
#endif
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), !opened.empty());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &drop);
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog->folder().path(), opened.empty() ? base() : opened);
    }
}

struct WheelRow
{
    int id;
    bool focused;
};

void PrintTo(const WheelRow &row, std::ostream *os)
{
    *os << row.id << (row.focused ? " focused" : "");
}

using WheelTest = DialogRowTest<WheelRow>;

// One turn down over a closed list: only a list with the focus picks the next entry.
TEST_P(WheelTest, OnlyAFocusedListFollowsTheWheel)
{
    const WheelRow &row = GetParam();
    showDialog();
    auto *list = control<QComboBox>(row.id);
    control(row.focused ? row.id : ControlId::ClassName)->setFocus();
    const std::string weapon(dialog->state().current().starting_weapon.view());

    QWheelEvent wheel(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);

    EXPECT_EQ(list->currentIndex(), row.focused ? 1 : 0);
    EXPECT_EQ(QApplication::focusWidget() == list, row.focused);
    if (!row.focused) {
        EXPECT_EQ(dialog->state().current().starting_weapon.view(), weapon);
    }
}

const WheelRow wheelRows[] = {{ControlId::Resistance, false},         {ControlId::Resistance, true},
                              {ControlId::ItemList, false},           {ControlId::ItemList, true},
                              {ControlId::StartingWeaponList, false}, {ControlId::StartingWeaponList, true}};
INSTANTIATE_TEST_SUITE_P(Lists, WheelTest, ::testing::ValuesIn(wheelRows));

class UnsavedQuestionTest : public FolderTest, public ::testing::WithParamInterface<B>
{};

// The close box asks through the window's question box: Write Out, Discard
// and Cancel, Cancel the default, each answer reaching the session.
TEST_P(UnsavedQuestionTest, CloseBoxAsksWithTheThreeButtons)
{
    const B answer = GetParam();
    const QString seals = QStringLiteral("tvclass_seals.cfg");
    writeFile(seals, classFile({"Scout", "Medic"}));
    click(ControlId::LoadConfig);
    showDialog();
    typeInto(control<QLineEdit>(ControlId::ClassName), "Sniper");
    EXPECT_TRUE(shownTitle(*dialog).endsWith('*'));
    modals.expect({answer});
    dialog->close();

    ASSERT_EQ(modals.seen().size(), 1u);
    const SeenModal &question = modals.seen()[0];
    EXPECT_EQ(question.text, "Write out the changes to tvclass_seals.cfg?");
    EXPECT_EQ(question.buttons, B::Save | B::Discard | B::Cancel);
    EXPECT_EQ(question.defaultButton, B::Cancel);
    EXPECT_EQ(readFile(seals), answer == B::Save ? classFile({"Sniper", "Medic"}) : classFile({"Scout", "Medic"}));
    EXPECT_EQ(dialog->isVisible(), answer == B::Cancel);
}

INSTANTIATE_TEST_SUITE_P(Answers, UnsavedQuestionTest, ::testing::Values(B::Save, B::Discard, B::Cancel));

} // namespace
