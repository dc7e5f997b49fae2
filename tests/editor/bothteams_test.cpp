// Both teams in the window: with Show Other Team on, the form follows a row
// of the other team, and Write Out writes both teams' files.

#include "classtabletest.h"
#include "userinput.h"

#include "classtablewindow.h"
#include "placelabel.h"
#include "model/session/controlids.h"
#include "windowcommands.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTableView>

using namespace tolvane;

namespace {

class BothTeamsTest : public ClassTableTest
{
protected:
    // Seals Sniper and Medic, Tangos Heavy and Rifleman, loaded, both teams
    // shown in the class table.
    void openBothTeams()
    {
        writeFile(QStringLiteral("tvclass_seals.cfg"), healthFile({{"Sniper", 100}, {"Medic", 90}}));
        writeFile(QStringLiteral("tvclass_tangos.cfg"), healthFile({{"Heavy", 150}, {"Rifleman", 95}}));
        showDialog();
        trigger(CommandId::LoadConfig);
        trigger(CommandId::ShowOtherTeam);
        takeTable();
        ASSERT_EQ(grid->model()->rowCount(), 4);
    }
    std::string status() const { return dialog->statusText().toStdString(); }
};

// Choosing a Tangos row shows that class in the form, which says whose it
// is; Save to Memory stores into the Tangos' classes, and a Seals row
// brings the form back.
TEST_F(BothTeamsTest, FormFollowsARowOfTheOtherTeam)
{
    openBothTeams();
    ASSERT_EQ(grid->model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("Tangos 1  Rifleman"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell(3, "Health")).center());
    EXPECT_EQ(control<QLineEdit>(ControlId::ClassName)->text(), QStringLiteral("Rifleman"));
    EXPECT_TRUE(shownTitle(*dialog).contains(QStringLiteral("Editing Rifleman (Tangos)")))
        << shownTitle(*dialog).toStdString();
    const auto *place = dialog->findChild<PlaceLabel *>();
    ASSERT_TRUE(place);
    EXPECT_TRUE(place->place().startsWith(QStringLiteral("Seals (the form shows a Tangos class) \u00B7 ")))
        << place->place().toStdString();
    EXPECT_EQ(place->accessibleName(), place->place());

    typeInto(control<QLineEdit>(ControlId::ClassName), QStringLiteral("Marksman"));
    click(ControlId::SaveToMemory);
    EXPECT_EQ(grid->model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("Tangos 1  Marksman"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("1  Medic"));

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell(1, "Health")).center());
    EXPECT_EQ(control<QLineEdit>(ControlId::ClassName)->text(), QStringLiteral("Medic"));
    EXPECT_TRUE(shownTitle(*dialog).contains(QStringLiteral("Editing Medic (Seals)")))
        << shownTitle(*dialog).toStdString();
    EXPECT_NE(readFile(QStringLiteral("tvclass_tangos.cfg")).find("Rifleman"), std::string::npos);
}

// Go to Class lists both teams' classes, each by its number in its team and
// naming the team; choosing a Tangos class shows it in the form.
TEST_F(BothTeamsTest, GoToClassListsBothTeams)
{
    openBothTeams();
    modals.look = [](QDialog &goTo) { QTest::keyClick(goTo.findChild<QListWidget *>(), Qt::Key_End); };
    modals.expect({QMessageBox::Ok});
    trigger(CommandId::GoToClass);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].items.join(u'|'),
              QStringLiteral("0  Sniper (Seals)|1  Medic (Seals)|0  Heavy (Tangos)|1  Rifleman (Tangos)"));
    EXPECT_EQ(control<QLineEdit>(ControlId::ClassName)->text(), QStringLiteral("Rifleman"));
    EXPECT_TRUE(shownTitle(*dialog).contains(QStringLiteral("Editing Rifleman (Tangos)")))
        << shownTitle(*dialog).toStdString();
}

// Write Out writes both files and names each (the session's rows hold what
// it says of a file it could not write).
TEST_F(BothTeamsTest, WriteOutWritesBothFiles)
{
    openBothTeams();
    typeInCell(cell(0, "Health"), QStringLiteral("70"));
    typeInCell(cell(3, "Health"), QStringLiteral("60"));
    EXPECT_TRUE(shownTitle(*dialog).contains(u'*'));
    click(ControlId::WriteOut);
    EXPECT_EQ(status(), "2 classes written to tvclass_seals.cfg; 2 classes written to tvclass_tangos.cfg");
    EXPECT_NE(readFile(QStringLiteral("tvclass_seals.cfg")).find("health 70"), std::string::npos);
    EXPECT_NE(readFile(QStringLiteral("tvclass_tangos.cfg")).find("health 60"), std::string::npos);
    EXPECT_FALSE(shownTitle(*dialog).contains(u'*'));
}

} // namespace
