// The editor window from the keyboard: where Tab and the Alt letters lead,
// told by what a screen reader says there, and the focus frame at start.

#include "model/session/controlids.h"
#include "dialogtesthelpers.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionButton>

using namespace tolvane;

namespace {

// What a screen reader says for the focused control: its name and the group
// around it, as in "Scanner, Class Abilities".
QString spokenName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    QString spoken = iface->text(QAccessible::Name);
    for (QAccessibleInterface *up = iface->parent(); up; up = up->parent()) {
        if (up->role() == QAccessible::Grouping)
            return spoken + QStringLiteral(", ") + up->text(QAccessible::Name);
        if (up->object() == widget->window())
            break;
    }
    return spoken;
}

QStringList inGroup(const QString &group, const QStringList &names)
{
    QStringList spoken;
    for (const QString &name : names)
        spoken.append(name + QStringLiteral(", ") + group);
    return spoken;
}

using KeyboardTest = DialogTest;

// Reading order group by group; the command buttons come last and end with
// "&Quit", so that the first Tab from "&Quit" goes to the class name.
TEST_F(KeyboardTest, TabFollowsTheReadingOrderGroupByGroupFromQuit)
{
    const QStringList expected =
        QStringList{"Quit", "Classname", "Config File"}
        + inGroup("Class Abilities", {"Scanner", "Throw Caltrops", "Place Detpack", "Sniper Autozoom", "AT-4 Scope",
                                      "Can use Turrets", "Knife Throw", "Place Sentrys", "Can Disguise", "Sniper Scope",
                                      "Place Ammodepot", "Can Heal Others", "Laserguided Rox", "Place Healdepot",
                                      "Can Feign Death", "Sniper Lasersight", "Has Nightvision", "Disarm Detpack"})
        + inGroup("Armor", {"Resistance", "Helmet", "Kevlar Vest", "Trousers"})
        + inGroup("Health", {"Health", "Maximum health"}) + QStringList{"Class Speed", "Jump Height", "Underwaterair"}
        + inGroup("Gamemode Flags", {"Can be Assassin", "Can be Bodyguard", "Can be the Hunted", "Can be the V.I.P."})
        + inGroup("Calculate", {"Calculate!", "Calculated abilities"})
        + QStringList{"Inventory item", "Amount of Army Knife", "ADD!", "Starting weapon", "Show Inventory"}
        + inGroup("Maximum Ammo", {"Shells", "Pistol Mag", ".308 cal Mag", ".357 Bullets", "7.62mm BB", "Rockets",
                                   "9mm Mag", "Cells", "AR Mag", "Grenades"})
        + QStringList{"Prev. Class", "Add Class",   "Next Class", "Save to Memory",
                      "Write Out",   "Load Config", "About",      "Quit"};
    showDialog();
    QStringList visited = {spokenName(QApplication::focusWidget())};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(spokenName(QApplication::focusWidget()));
    }
    EXPECT_EQ(visited, expected);
}

struct AltRow
{
    Qt::Key key;
    const char *spoken;
};

void PrintTo(const AltRow &row, std::ostream *os)
{
    *os << "Alt+" << QKeySequence(row.key).toString().toStdString();
}

class AltLetterTest : public DialogFixture<::testing::TestWithParam<AltRow>>
{};

// Each time, also after a Tab moved the focus on inside the group.
TEST_P(AltLetterTest, TakesTheFocusToItsFieldEveryTime)
{
    showDialog();
    for (int time = 1; time <= 2; ++time) {
        QTest::keyClick(QApplication::focusWidget(), GetParam().key, Qt::AltModifier);
        EXPECT_EQ(spokenName(QApplication::focusWidget()).toStdString(), GetParam().spoken) << "time " << time;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

const AltRow altRows[] = {
    {Qt::Key_N, "Classname"},           {Qt::Key_I, "Config File"},    {Qt::Key_B, "Scanner, Class Abilities"},
    {Qt::Key_E, "Resistance, Armor"},   {Qt::Key_M, "Helmet, Armor"},  {Qt::Key_K, "Kevlar Vest, Armor"},
    {Qt::Key_O, "Trousers, Armor"},     {Qt::Key_T, "Health, Health"}, {Qt::Key_P, "Class Speed"},
    {Qt::Key_J, "Jump Height"},         {Qt::Key_U, "Underwaterair"},  {Qt::Key_G, "Can be Assassin, Gamemode Flags"},
    {Qt::Key_X, "Shells, Maximum Ammo"}};
INSTANTIATE_TEST_SUITE_P(Fields, AltLetterTest, ::testing::ValuesIn(altRows));

QString altLetter(const QString &text)
{
    const QKeySequence mnemonic = QKeySequence::mnemonic(text);
    return mnemonic.isEmpty() ? QString() : QKeySequence(mnemonic[0].key()).toString();
}

void collectMenus(const QList<QAction *> &actions, QList<QStringList> &menus)
{
    QStringList items;
    for (QAction *action : actions) {
        items.append(action->text());
        if (action->menu())
            collectMenus(action->menu()->actions(), menus);
    }
    menus.append(items);
}

// Alt letters of the window (labels, group titles, buttons, menu titles) are
// all different. An open menu takes the letters of its own items, which are
// all different too, and repeat a letter of the window only for a button of
// the same text, which runs the same command, or for a menu title.
TEST_F(KeyboardTest, NoAltLetterLeadsToTwoPlaces)
{
    QStringList windowTexts, menuTitles;
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        if (label->buddy())
            windowTexts.append(label->text());
    }
    for (QGroupBox *group : dialog->findChildren<QGroupBox *>())
        windowTexts.append(group->title());
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        windowTexts.append(button->text());
    auto *menuBar = dialog->findChild<QMenuBar *>();
    ASSERT_NE(menuBar, nullptr);
    QList<QStringList> menus;
    for (QAction *menu : menuBar->actions()) {
        menuTitles.append(menu->text());
        collectMenus(menu->menu()->actions(), menus);
    }

    // Letters unique in the window, and in each menu: the panes' test.
    QHash<QString, QString> windowLetters;
    for (const QString &text : windowTexts + menuTitles)
        windowLetters.insert(altLetter(text), text);
    for (const QStringList &items : menus) {
        for (const QString &text : items) {
            const QString letter = altLetter(text);
            if (letter.isEmpty())
                continue;
            const QString inWindow = windowLetters.value(letter);
            EXPECT_TRUE(inWindow.isEmpty() || inWindow == text || menuTitles.contains(inWindow))
                << letter.toStdString() << ": " << inWindow.toStdString() << ", " << text.toStdString();
        }
    }
}

TEST_F(KeyboardTest, QuitShowsItsFocusFrameBeforeAnyKey)
{
    showDialog();
    auto *quit = control<QPushButton>(ControlId::Quit);
    ASSERT_TRUE(quit->hasFocus());
    QStyleOptionButton option;
    option.initFrom(quit);
    EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);
    const QImage focused = quit->grab().toImage();
    control(ControlId::ClassName)->setFocus();
    EXPECT_NE(focused, quit->grab().toImage()) << "the focus frame is not drawn";
}

} // namespace
