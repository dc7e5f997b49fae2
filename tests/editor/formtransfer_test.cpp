// The form: what showing a class shows, what Save to Memory stores, "Calculate!".

#include "model/session/controlids.h"
#include "windowcommands.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classdata/format/classfilewriter.h"
#include "classdata/format/classrecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QWindow>

using namespace tolvane;

namespace {

class FormTest : public DialogTest
{
protected:
    ClassRecord &record() { return dialog->state().current(); }
    QString text(int id) { return control<QLineEdit>(id)->text(); }
    void save() { click(ControlId::SaveToMemory); }

    // Shows a class with the block-start defaults, changed by edit.
    template <typename Edit>
    void show(Edit edit)
    {
        applyBlockStartDefaults(record());
        edit(record());
        showRecord(*dialog);
    }

    int checkedBoxes()
    {
        const auto boxes = dialog->findChildren<QCheckBox *>();
        return int(std::count_if(boxes.begin(), boxes.end(), [](QCheckBox *b) { return b->isChecked(); }));
    }
};

// A negative value shown is marked as the value the game reads instead, and
// stored back as it is.
TEST_F(FormTest, ShowsDefaultsInTheirFormatsAndStoresANegativeValueBack)
{
    show([](ClassRecord &r) { r.combat_helmet = -5; });
    EXPECT_EQ(text(ControlId::Speed), "1.000000");
    EXPECT_EQ(text(ControlId::Jump), "1.000000");
    EXPECT_EQ(text(ControlId::UnderwaterAir), "11.000000");
    EXPECT_EQ(text(ControlId::ClassName), "?");
    EXPECT_EQ(control<QComboBox>(ControlId::Resistance)->currentText(), "Normal Armor");
    EXPECT_EQ(checkedBoxes(), 0);
    EXPECT_EQ(shownTitle(*dialog), QString::fromUtf8("Tolvane Class Creator \u00A9 - Editing ? *"));
    EXPECT_EQ(text(ControlId::Helmet), "-5");
    EXPECT_TRUE(control(ControlId::Helmet)->toolTip().contains("the game will read 20 instead"));
    save();
    EXPECT_EQ(record().combat_helmet, -5);
    EXPECT_EQ(shownTitle(*dialog), QString::fromUtf8("Tolvane Class Creator \u00A9 - Saving ? *"));
}

// Each box shows and stores the value its label names, each check box its bit.
TEST_F(FormTest, EveryBoxCarriesTheFieldItsLabelNames)
{
    const std::pair<const char *, std::int32_t ClassRecord::*> numbers[] = {
        {"Helmet", &ClassRecord::combat_helmet},      {"Kevlar Vest", &ClassRecord::kevlar_vest},
        {"Trousers", &ClassRecord::kevlar_trouser},   {"Health", &ClassRecord::health},
        {"Maximum health", &ClassRecord::max_health}, {"Shells", &ClassRecord::max_shells},
        {".357 Bullets", &ClassRecord::max_357cal},   {"Rockets", &ClassRecord::max_rockets},
        {"Cells", &ClassRecord::max_cells},           {"Pistol Mag", &ClassRecord::max_45cal},
        {"9mm Mag", &ClassRecord::max_9cal},          {"AR Mag", &ClassRecord::max_556cal},
        {".308 cal Mag", &ClassRecord::max_308cal},   {"7.62mm BB", &ClassRecord::max_762bb},
        {"Grenades", &ClassRecord::max_grenades}};
    const std::pair<const char *, float ClassRecord::*> decimals[] = {{"Class Speed", &ClassRecord::speed},
                                                                      {"Jump Height", &ClassRecord::jump},
                                                                      {"Underwaterair", &ClassRecord::underwaterair}};
    auto box = [this](const char *label) { return qobject_cast<QLineEdit *>(labelled(label)); };
    show([&](ClassRecord &r) {
        int value = 100;
        for (const auto &[label, field] : numbers)
            r.*field = ++value;
        for (const auto &[label, field] : decimals)
            r.*field = float(++value);
    });
    int value = 100;
    for (const auto &[label, field] : numbers)
        EXPECT_EQ(box(label)->text(), QString::number(++value)) << label;
    for (const auto &[label, field] : decimals)
        EXPECT_EQ(box(label)->text(), QString::number(++value) + ".000000") << label;
    for (const auto &[label, field] : numbers)
        typeInto(box(label), QString::number(++value));
    for (const auto &[label, field] : decimals)
        typeInto(box(label), QString::number(++value));
    save();
    value = 118;
    for (const auto &[label, field] : numbers)
        EXPECT_EQ(record().*field, ++value) << label;
    for (const auto &[label, field] : decimals)
        EXPECT_EQ(record().*field, float(++value)) << label;

    // clang-format off
    const std::pair<const char *, std::int32_t> abilities[] = {
        {"AT-4 Scope", 0x1}, {"Scanner", 0x2}, {"Throw Caltrops", 0x4}, {"Laserguided Rox", 0x8}, {"Knife Throw", 0x10},
        {"Place Sentrys", 0x20}, {"Place Healdepot", 0x40}, {"Place Ammodepot", 0x80}, {"Place Detpack", 0x100},
        {"Can Disguise", 0x200}, {"Can Feign Death", 0x400}, {"Has Nightvision", 0x1000}, {"Sniper Autozoom", 0x2000},
        {"Can use Turrets", 0x4000}, {"Sniper Scope", 0x8000}, {"Sniper Lasersight", 0x10000},
        {"Can Heal Others", 0x20000}, {"Disarm Detpack", 0x40000}, {"Can be the Hunted", 0x80000},
        {"Can be Bodyguard", 0x100000}, {"Can be Assassin", 0x200000}, {"Can be the V.I.P.", 0x400000},
    };
    // clang-format on
    for (const auto &[label, bit] : abilities) {
        show([&](ClassRecord &r) { r.classabilities = bit; });
        const auto boxes = dialog->findChildren<QCheckBox *>();
        const auto ticked = std::find_if(boxes.begin(), boxes.end(), [](QCheckBox *b) { return b->isChecked(); });
        ASSERT_NE(ticked, boxes.end()) << label;
        EXPECT_EQ((*ticked)->text(), label);
        EXPECT_EQ(checkedBoxes(), 1) << label;
        save();
        EXPECT_EQ(record().classabilities, bit) << label;
    }
}

// Only the entry picked from the list counts, not text typed into the box,
// even text that equals an entry, however the typing ends.
TEST_F(FormTest, ResistanceIsTheSelectedEntry)
{
    showDialog();
    const std::pair<const char *, Qt::Key> rows[] = {
        {"xyz", Qt::Key_unknown}, {"Blast Armor", Qt::Key_Return}, {"Blast Armor", Qt::Key_Tab}};
    for (const auto &[typed, end] : rows) {
        show([](ClassRecord &r) { r.resistance = 1.0f; });
        auto *list = control<QComboBox>(ControlId::Resistance);
        typeInto(list->lineEdit(), typed);
        if (end != Qt::Key_unknown)
            QTest::keyClick(list->lineEdit(), end);
        EXPECT_EQ(list->currentText(), typed);
        save();
        EXPECT_EQ(record().resistance, 1.0f) << typed;
    }
}

// The name shows exactly, "[*]" in it too; the window adds the mark.
TEST_F(FormTest, TitleShowsANameWithTheMarkOfUnsavedChangesInIt)
{
    dialog->winId(); // the title the system shows is the native window's
    show([](ClassRecord &r) { r.classname.assign("a[*]b [*]"); });
    EXPECT_EQ(dialog->windowHandle()->title(), QString::fromUtf8("Tolvane Class Creator \u00A9 - Editing a[*]b [*] *"));
    modals.expect({QMessageBox::Yes}); // the folder's first class file
    dialog->session().writeOut();
    EXPECT_EQ(dialog->windowHandle()->title(), QString::fromUtf8("Tolvane Class Creator \u00A9 - Editing a[*]b [*] "));
}

TEST_F(FormTest, Windows1252NameTravelsFromFileToFormToFile)
{
    const std::string bytes = classFile({"Ing\xE9nieur \x80\x9F\xFF"});
    writeFile("tvclass_seals.cfg", bytes);

    click(ControlId::LoadConfig);
    EXPECT_EQ(text(ControlId::ClassName), QString::fromUtf8("Ing\u00E9nieur \u20AC\u0178\u00FF"));
    click(ControlId::WriteOut);
    EXPECT_EQ(readFile("tvclass_seals.cfg"), bytes);

    // A typed character Windows-1252 lacks is stored as '?'.
    typeInto(control<QLineEdit>(ControlId::ClassName), QString::fromUtf8("K\u00F6nig \u03A9"));
    save();
    EXPECT_EQ(record().classname.view(), "K\xF6nig ?");
}

// Go to Class lists every class, the last one too, by its number and its name
// as the form shows it; the class chosen there shows in the form.
TEST_F(FormTest, GoToClassListsEveryClassByNumberAndName)
{
    writeFile("tvclass_seals.cfg", classFile({"Sniper", "Scout", "J\xE4ger"}));
    click(ControlId::LoadConfig);
    modals.look = [](QDialog &goTo) { QTest::keyClick(goTo.findChild<QListWidget *>(), Qt::Key_End); };
    modals.expect({QMessageBox::Ok});
    trigger(CommandId::GoToClass);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].items.join(u'|'), QString::fromUtf8("0  Sniper|1  Scout|2  J\u00E4ger"));
    EXPECT_EQ(text(ControlId::ClassName), QString::fromUtf8("J\u00E4ger"));
    EXPECT_EQ(dialog->statusText(), QString::fromUtf8("@ Class 2 / 2 [J\u00E4ger]"));
}

} // namespace
