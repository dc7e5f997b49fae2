// The yardstick for the editor window: a dialog with the same 95 controls of
// the same kinds (94 in the form, and the menu bar with the editor's menus,
// entries and shortcuts), the same 8 point font and filled lists, built by
// hand, without the dialog template, its typing filters or the artwork.
// Pictures are empty sunken frames of their size.
// Built with FORM_TEXTS, its buttons, boxes, labels and groups carry the
// form's own texts in place of "Button 1", "Label 1": what a dialog of these
// controls built by hand would show, and paint.

#include "firstpaintexit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace {

#ifdef FORM_TEXTS
const char *const groups[] = {"Class A&bilities", "Armor", "Health", "Gamemode Flags", "Calculate", "Maximum Ammo"};
const char *const buttons[] = {"Prev. Class",     "Delete Class", "Add Class",    "Next Class",
                               "&Save to Memory", "&Write Out",   "&Load Config", "&About",
                               "&Quit",           "Calculate!",   "ADD!",         "Show Inventory"};
const char *const abilities[] = {"Scanner",           "Knife Throw",      "Laserguided Rox", "Throw Caltrops",
                                 "Place Sentrys",     "Place Healdepot",  "Place Detpack",   "Can Disguise",
                                 "Can Feign Death",   "Sniper Autozoom",  "Sniper Scope",    "Sniper Lasersight",
                                 "AT-4 Scope",        "Place Ammodepot",  "Has Nightvision", "Can use Turrets",
                                 "Can Heal Others",   "Disarm Detpack",   "Can be Assassin", "Can be Bodyguard",
                                 "Can be the Hunted", "Can be the V.I.P."};
const char *const labels[] = {
    "Classna&me",   "Config F&ile", "R&esistance",    "Hel&met", "&Kevlar Vest", "Tr&ousers", "/",
    "Class S&peed", "&Jump Height", "&Underwaterair", "Shells",  ".357 Bullets", "Rockets",   "Cells",
    "Pistol Mag",   ".45 cal Mag",  "9mm Mag",        "AR Mag",  ".308 cal Mag", "7.62mm BB", "40mm Gren",
    "Grenades"};
QString textOf(const char *const *texts, const char *, int i)
{
    return QString::fromLatin1(texts[i]);
}
#else
QString textOf(const char *const *, const char *kind, int i)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(kind)).arg(i);
}
const char *const *const groups = nullptr, *const *const buttons = nullptr, *const *const abilities = nullptr,
                         *const *const labels = nullptr;
#endif

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FirstPaintExit firstPaint;
    app.installEventFilter(&firstPaint);

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Plain dialog"));
    auto *form = new QWidget(&dialog);
    QFont font = form->font();
    font.setPointSize(8);
    form->setFont(font);
    form->setFixedSize(824, 418);
    auto *layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(form);

    auto *bar = new QMenuBar(&dialog);
    bar->setNativeMenuBar(false);
    // The editor's menus: an entry "-" is a separator, one ending in ">" a submenu.
    struct Entry
    {
        const char *text;
        const char *keys = "";
    };
    const std::pair<const char *, std::vector<Entry>> menus[] = {
        {"&File",
         {{"Open &Folder...", "Ctrl+O"},
          {"Recent Folders>"},
          {"Cop&y Samples..."},
          {"-"},
          {"&Load Config", "Ctrl+L"},
          {"&Change Active-Config"},
          {"&Write Out", "Ctrl+S"},
          {"Re&view Changes..."},
          {"Compare wit&h File..."},
          {"Compare with Folder..."},
          {"Restore Previous Version..."},
          {"P&roblems...", "F8"},
          {"-"},
          {"Export Classes..."},
          {"Import Classes..."},
          {"-"},
          {"&Quit", "Ctrl+Q"}}},
        {"E&dit", {{"Un&do", "Ctrl+Z"}, {"&Redo", "Ctrl+Y; Ctrl+Shift+Z"}}},
        {"&View",
         {{"&Class Table", "Ctrl+T"},
          {"&Filter Classes...", "Ctrl+F"},
          {"C&hart..."},
          {"Show Othe&r Team", "Ctrl+Shift+T"}}},
        {"Class",
         {{"Add Class", "Ctrl+N"},
          {"Duplicate Class", "Ctrl+D"},
          {"Delete Class", "Ctrl+Del"},
          {"-"},
          {"Move Class Up", "Ctrl+Shift+Up"},
          {"Move Class Down", "Ctrl+Shift+Down"},
          {"-"},
          {"Next Class", "Alt+Right"},
          {"Previous Class", "Alt+Left"},
          {"First Class", "Alt+Home"},
          {"Last Class", "Alt+End"},
          {"Go to Class...", "Ctrl+G"},
          {"Compare Two Classes...", "Ctrl+K"},
          {"Copy to Other Team"},
          {"-"},
          {"Show Inventory...", "Ctrl+I"}}},
        {"&?", {{"&About"}, {"&Help", "F1"}, {"About Qt"}}}};
    for (const auto &[title, entries] : menus) {
        QMenu *menu = bar->addMenu(QString::fromLatin1(title));
        for (const Entry &entry : entries) {
            const QString text = QString::fromLatin1(entry.text);
            if (text == u"-") {
                menu->addSeparator();
            } else if (text.endsWith(u'>')) {
                menu->addMenu(text.chopped(1));
            } else {
                QAction *action = menu->addAction(text);
                action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(entry.keys)));
                dialog.addAction(action);
            }
        }
    }
    layout->setMenuBar(bar);

    for (int i = 0; i < 6; ++i)
        (new QGroupBox(textOf(groups, "Group", i), form))->setGeometry(8 + 115 * i, 80, 110, 70);
    for (int i = 0; i < 12; ++i)
        (new QPushButton(textOf(buttons, "Button", i), form))->setGeometry(8 + 58 * i, 16, 55, 23);
    for (int i = 0; i < 22; ++i)
        (new QCheckBox(textOf(abilities, "Ability", i), form))
            ->setGeometry(15 + 115 * (i % 6), 97 + 16 * (i / 6), 110, 16);
    for (int i = 0; i < 22; ++i)
        (new QLabel(textOf(labels, "Label", i), form))->setGeometry(12 + 88 * (i % 8), 250 + 22 * (i / 8), 45, 13);
    for (int i = 0; i < 24; ++i)
        (new QLineEdit(QStringLiteral("%1").arg(i), form))->setGeometry(60 + 88 * (i % 8), 247 + 22 * (i / 8), 38, 20);
    for (int i = 0; i < 3; ++i) {
        auto *list = new QComboBox(form);
        list->setEditable(i == 0);
        for (int entry = 0; entry < (i == 0 ? 3 : 44 - 16 * (i - 1)); ++entry)
            list->addItem(QStringLiteral("Entry %1").arg(entry));
        list->setGeometry(8 + 240 * i, 330, 230, 20);
    }
    const QRect pictures[] = {{8, 160, 50, 74}, {70, 160, 90, 52}, {360, 160, 338, 79}};
    for (const QRect &area : pictures) {
        auto *picture = new QLabel(form);
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setGeometry(area);
    }
    auto *status = new QLineEdit(form);
    status->setReadOnly(true);
    status->setFrame(false);
    status->setGeometry(0, 398, 350, 20);
    (new QScrollBar(Qt::Horizontal, form))->setVisible(false);

    dialog.exec();
    return 1;
}
