// A seeded random run of user commands through the real window, checked step
// by step against a small model of the table, the class count and the indices
// written here from the rules of the program, not from its code.

#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classfilereader.h"
#include "classfilewriter.h"
#include "cp1252.h"
#include "itemcatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <map>
#include <optional>
#include <random>
#include <vector>

// Lets a failing comparison show the class as the file would hold it.
void PrintTo(const ClassRecord &record, std::ostream *out)
{
    ClassTable table;
    table.records[0] = record;
    table.classCount = 1;
    const std::string bytes = ClassFileBytes(table, "\n");
    *out << "\n" << bytes.substr(bytes.find("{"));
}

namespace {

using Records = std::vector<ClassRecord>;

const QString titlePrefix = QString::fromUtf8("Tolvane Class Creator \u00A9 - ");

struct Model
{
    ClassTable table;
    int current = 0;
    int last = 0;
    int seals = 1;
    QString status;
    QString title = titlePrefix + "Editing  ";
    QString formName;
    QString formHealth = "0";
    std::map<int, Records> files;  // what each team's class file holds
    std::map<int, bool> known;     // loaded or written by this run since it last changed
    int &count() { return table.classCount; }
    ClassRecord &record() { return table.records[current]; }

    void show()
    {
        formName = fromCp1252(record().classname.view());
        formHealth = QString::number(record().health);
        title = titlePrefix + "Editing " + formName + " ";
    }
    void store()
    {
        if (count() == last)
            ++count();
        record().classname.assign(toCp1252(formName));
        record().health = formHealth.toInt();
        title = titlePrefix + "Saving " + fromCp1252(record().classname.view()) + " ";
    }
    void reportMove()
    {
        status = QString("@ Class %1 / %2 [%3]").arg(current).arg(last).arg(fromCp1252(record().classname.view()));
        show();
    }
};

// A class whose every value survives being shown in the form and stored back.
ClassRecord randomClass(std::mt19937 &random, int index)
{
    auto pickInt = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    ClassRecord r;
    ApplyBlockStartDefaults(r);
    r.classname.assign("C" + std::to_string(index) + (pickInt(0, 1) ? " \xE9lite" : ""));
    r.speed = float(pickInt(0, 40)) / 4;
    r.jump = float(pickInt(0, 40)) / 4;
    r.underwaterair = float(pickInt(-100, 100)) / 4;
    r.resistance = float(pickInt(0, 2));
    r.health = pickInt(0, 999);
    r.max_cells = pickInt(0, 999);
    r.classabilities = pickInt(0, definedAbilityMask) & definedAbilityMask;
    const std::string keys = "keys_" + std::to_string(index) + ".cfg";
    r.keys.assign(pickInt(0, 1) ? std::string_view(keys) : std::string_view());
    r.starting_weapon.assign(itemCatalogue[std::size_t(pickInt(0, inventorySlotCount - 1))].internalName);
    for (int n = pickInt(0, 4); n > 0; --n)
        r.inventory[std::size_t(pickInt(0, inventorySlotCount - 1))] = pickInt(-9, 99);
    return r;
}

std::string fileBytes(const Records &records)
{
    ClassTable table;
    std::copy(records.begin(), records.end(), table.records.begin());
    table.classCount = int(records.size());
    return ClassFileBytes(table, "\n");
}

class ModelTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        const char *seedText = std::getenv("TOLVANE_MODEL_SEED");
        seed = seedText ? std::uint32_t(std::strtoul(seedText, nullptr, 10)) : 20261206u;
        random.seed(seed);
        for (int i = 0; i < 3; ++i) {
            Records records;
            for (int n = pickInt(1, i == 2 ? 64 : 9); n > 0; --n)
                records.push_back(randomClass(random, int(records.size())));
            prepared.push_back(records);
        }
        putOnDisk(1, prepared[0]);
    }

    int pickInt(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool coin() { return pickInt(0, 1) == 1; }

    static QString fileName(int seals) { return seals ? "tvclass_seals.cfg" : "tvclass_tangos.cfg"; }

    // A file changed outside the editor.
    void putOnDisk(int seals, const Records &records)
    {
        writeFile(fileName(seals), fileBytes(records));
        model.files[seals] = records;
        model.known[seals] = false;
    }

    void clickOrTrigger(int buttonId, int commandId) { coin() ? click(buttonId) : trigger(commandId); }

    // The question about unsaved changes is tested on its own; here it is
    // answered Discard whenever it comes.
    bool discardChanges()
    {
        const bool unsaved = dialog->hasUnsavedChanges();
        if (unsaved)
            modals.expect({QMessageBox::Discard});
        return unsaved;
    }

    void load()
    {
        discardChanges();
        clickOrTrigger(1003, 40004);
        ClassTable &t = model.table;
        if (auto file = model.files.find(model.seals); file != model.files.end()) {
            std::copy(file->second.begin(), file->second.end(), t.records.begin());
            t.classCount = int(file->second.size());
            model.status = QString("%1 Config Classes Read").arg(t.classCount);
        } else {
            ApplyEmptyTableDefault(t.records[0]);
            t.classCount = 1;
            model.status = fileName(model.seals) + " not found: 1 new class";
        }
        model.known[model.seals] = true;
        model.last = t.classCount - 1;
        model.current = std::min(model.current, model.last);
        model.show();
    }

    void writeOut()
    {
        const bool asked = model.files.count(model.seals) && !model.known[model.seals];
        const bool yes = coin();
        if (asked)
            modals.expect({yes ? QMessageBox::Yes : QMessageBox::No});
        clickOrTrigger(2, 40005);
        model.store();
        model.show();
        if (asked && !yes)
            return;
        model.files[model.seals] = Records(model.table.records.begin(), model.table.records.begin() + model.count());
        model.known[model.seals] = true;
        model.status = (model.count() == 1 ? QString("1 class") : QString("%1 classes").arg(model.count()))
                       + " written to " + fileName(model.seals);

        ClassTable readBack;
        ReadClassBytes(readBack, readFile(fileName(model.seals)));
        ASSERT_EQ(readBack.classCount, model.count());
        for (int i = 0; i < model.count(); ++i)
            ASSERT_EQ(readBack.records[i], model.table.records[i]) << "written class " << i;
    }

    void toggleTeam()
    {
        const std::size_t seenBefore = modals.seen().size() + (discardChanges() ? 1 : 0);
        const bool first = coin(), second = coin();
        modals.expect({first ? QMessageBox::Yes : QMessageBox::No});
        if (first)
            modals.expect({second ? QMessageBox::Yes : QMessageBox::No});
        const QString asked = model.seals ? "TANGOS CONFIG file will be readen on Restart"
                                          : "SEALS CONFIG file will be readen on Restart";
        trigger(40013);
        ASSERT_GT(modals.seen().size(), seenBefore);
        EXPECT_EQ(modals.seen()[seenBefore].text, asked);
        if (first)
            model.seals = 1 - model.seals;
        if (first && second) {
            settingsSeals = model.seals;
            EXPECT_EQ(readFile("tvcc.cfg"), "[TolvaneClassCreator]\n\nSeals " + std::to_string(model.seals) + "\n\n### END ###\n");
        }
    }

    void addItem()
    {
        const int slot = pickInt(0, inventorySlotCount - 1);
        const int amount = pickInt(0, 500);
        pick(control<QComboBox>(1063), fromCp1252(itemCatalogue[std::size_t(slot)].displayName));
        EXPECT_EQ(control<QLineEdit>(1064)->text(), QString::number(model.record().inventory[std::size_t(slot)]));
        typeInto(control<QLineEdit>(1064), QString::number(amount));
        click(1108);
        model.record().inventory[std::size_t(slot)] = amount;
    }

    void pickWeapon()
    {
        std::vector<const ItemInfo *> offered;
        for (const ItemInfo &item : itemCatalogue) {
            if (item.inStartList)
                offered.push_back(&item);
        }
        const ItemInfo &item = *offered[std::size_t(pickInt(0, int(offered.size()) - 1))];
        pick(control<QComboBox>(1110), fromCp1252(item.displayName));
        model.record().starting_weapon.assign(item.internalName);
        model.status = QString("Forced [%1] as Initial Weapon for [%2]")
                           .arg(fromCp1252(item.internalName), fromCp1252(model.record().classname.view()));
    }

    void step()
    {
        switch (pickInt(0, 15)) {
        case 0:
        case 1:
            clickOrTrigger(1004, 40009);
            if (model.current != model.last) {
                model.store();
                ++model.current;
                model.reportMove();
            }
            break;
        case 2:
        case 3:
            clickOrTrigger(1005, 40010);
            if (model.count() == model.last)
                ++model.count();
            if (model.current != 0) {
                model.store();
                --model.current;
                model.reportMove();
            }
            break;
        case 4:
            trigger(40011);
            model.current = 0;
            model.reportMove();
            break;
        case 5:
            trigger(40012);
            model.current = model.last;
            model.reportMove();
            break;
        case 6:
            clickOrTrigger(1006, 40008);
            if (model.last == tableSlotCount - 1) {
                model.status = "The table is full: 64 classes";
            } else {
                ++model.last;
                if (++model.count() == model.last)
                    ++model.count();
                model.status = QString("@ Class to %1 [min=0 | %2]").arg(model.last).arg(model.count());
            }
            break;
        case 7:
            click(1076);
            model.store();
            break;
        case 8:
            if (pickInt(0, 3) == 0)
                putOnDisk(model.seals, prepared[std::size_t(pickInt(0, 2))]);
            load();
            break;
        case 9:
            writeOut();
            break;
        case 10:
            toggleTeam();
            break;
        case 11: {
            const QString names[] = {"Sniper", QString::fromUtf8("Ing\u00E9nieur"), "", "Heavy Gunner 2", " x "};
            model.formName = names[pickInt(0, 4)];
            typeInto(control<QLineEdit>(1010), model.formName);
            break;
        }
        case 12:
            model.formHealth = QString::number(pickInt(0, 999));
            typeInto(control<QLineEdit>(1051), model.formHealth);
            break;
        case 13:
            addItem();
            break;
        case 14:
            pickWeapon();
            break;
        default:
            click(1054);
            EXPECT_EQ(control<QLineEdit>(1055)->text(),
                      QString::number(model.record().classabilities & definedAbilityMask));
            break;
        }
    }

    void expectAgreement()
    {
        const EditorState &state = dialog->state();
        ASSERT_EQ(dialog->statusText(), model.status);
        ASSERT_EQ(dialog->windowTitle(), model.title + "[*]");
        ASSERT_EQ(control<QLineEdit>(1010)->text(), model.formName);
        ASSERT_EQ(state.table.classCount, model.count());
        ASSERT_EQ(state.currentIndex, model.current);
        ASSERT_EQ(state.lastIndex, model.last);
        ASSERT_EQ(state.firstIndex, 0);
        ASSERT_EQ(state.sealsActive, model.seals);
        ASSERT_EQ(modals.unused(), 0u) << "an expected question was not asked";
        for (int i = 0; i < tableSlotCount; ++i)
            ASSERT_EQ(state.table.records[i], model.table.records[i]) << "class " << i;
    }

    // Quits and starts the program again on the same folder.
    void restart()
    {
        restartDialog();
        model = Model{.seals = settingsSeals, .files = model.files};
    }

    std::uint32_t seed = 0;
    int settingsSeals = 1; // what "tvcc.cfg" holds
    std::mt19937 random;
    std::vector<Records> prepared;
    Model model;
};

TEST_F(ModelTest, RandomCommandsAgreeWithTheModel)
{
    // Several runs of the program, since the start state has rules of its own.
    constexpr int runs = 10, stepsPerRun = 250;
    for (int i = 0; i < runs * stepsPerRun; ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " (TOLVANE_MODEL_SEED), step " + std::to_string(i));
        if (i > 0 && i % stepsPerRun == 0)
            restart();
        step();
        expectAgreement();
        if (HasFatalFailure() || HasFailure())
            return;
    }
}

} // namespace
