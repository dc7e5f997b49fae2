#include "classdata/format/classfields.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tolvane;

namespace {

using namespace std::literals;

TEST(ClassFileUpdate, GivesBackTheFileWhenNothingChanged)
{
    std::vector<std::string> files = oddFiles();
    std::mt19937 random(11);
    for (int run = 0; run < 400; ++run) {
        std::string bytes = files[std::size_t(run) % 2];
        mutate(bytes, random);
        files.push_back(bytes);
    }
    for (const std::string &bytes : files) {
        if (!bytes.starts_with('{') && bytes.find("\n{") == std::string::npos)
            continue; // a file without blocks gets the default class it reads as
        const auto table = readTable(bytes);
        ASSERT_EQ(updatedClassFile(bytes, classesOf(*table)), bytes) << bytes;
    }
}

struct Edit
{
    std::string_view file;
    std::function<void(ClassRecord &)> change;
    std::string_view written;
};

TEST(ClassFileUpdate, RewritesAddsAndRemovesOnlyTheLinesOfChangedValues)
{
    const Edit rows[] = {
        {"{\nspeed 10.5\n}\n", [](ClassRecord &) {}, "{\nspeed 10.5\n}\n"},
        {"{\nspeed 10.5\n}\n", [](ClassRecord &r) { r.speed = 2; }, "{\nspeed 2.000000\n}\n"},
        {"{\nSpeed 3 fast\n// x\nspeed 4\n}\n", [](ClassRecord &r) { r.speed = 5; },
         "{\nSpeed 3 fast\n// x\nspeed 5.000000\n}\n"},
        {"{\n// top\nhealth 5\n}\n", [](ClassRecord &r) { r.classname.assign("A"); },
         "{\n// top\nclassname A\nhealth 5\n}\n"},
        {"{\nclassname a\n\nhealth 5\n}", [](ClassRecord &r) { r.resistance = 1, r.jump = 2; },
         "{\nclassname a\njump 2.000000\nresistance fire\n\nhealth 5\n}"},
        {"{\n}\n", [](ClassRecord &r) { r.max_cells = 7; }, "{\nmax_cells 7\n}\n"},
        {"{\r\nhealth 5\r\n}\r\n", [](ClassRecord &r) { r.health = 6, r.kevlar_vest = 1; },
         "{\r\nhealth 6\r\nkevlar_vest 1\r\n}\r\n"},
        {"{\nhealth 5\r\n}\n", [](ClassRecord &r) { r.health = 6, r.kevlar_vest = 1; },
         "{\nhealth 6\r\nkevlar_vest 1\n}\n"},
        {"{\nresistance fire\nresistance none\n}\n", [](ClassRecord &r) { r.resistance = -1; }, "{\n}\n"},
        {"{\ninventory ammo_cells 1\ninventory AMMO_CELLS 2\nstarting_weapon x\n}\n",
         [](ClassRecord &r) { r.inventory[35] = 0, r.inventory[0] = 4, r.inventory[43] = 5; },
         "{\nstarting_weapon x\ninventory weapon_knife 4\ninventory ammo_bullets 5\n}\n"},
        {"{\ninventory ammo_cells 1\ninventory ammo_rockets 2\n}\n", [](ClassRecord &r) { r.inventory[36] = 3; },
         "{\ninventory ammo_cells 1\ninventory ammo_rockets 3\n}\n"},
        {"// x\n// a\n{\nclassname a\n}\n", [](ClassRecord &r) { r.classname.assign("b\rc"); },
         "// x\n// b\rc\n{\nclassname b\rc\n}\n"},
        {"// a\n{\nclassname a\n}\n", [](ClassRecord &r) { r.keys.assign("k\n\r"); },
         "// a\n{\nclassname a\nkeys k\n}\n"},
        {"{\nhealth 5", [](ClassRecord &r) { r.health = 6, r.max_cells = 1; }, "{\nhealth 6\nmax_cells 1\n"},
        {"{\nkeys a\r", [](ClassRecord &r) { r.health = 6; }, "{\nkeys a\r\r\nhealth 6\n"},
    };
    for (const Edit &row : rows) {
        const auto table = readTable(row.file);
        row.change(table->records[0]);
        EXPECT_EQ(updatedClassFile(row.file, classesOf(*table)), row.written) << row.file;
    }
}

struct Arrangement
{
    std::string file;
    std::vector<int> origins;
    std::string written;
};

// New classes come in the fixed layout; a block that ended with the file is
// closed before anything that follows it.
TEST(ClassFileUpdate, WritesBlocksInTheOrderOfTheClassesWithTheirOwnLines)
{
    const auto blockOf = [](std::string_view file) {
        std::string block;
        appendClassBlock(block, readTable(file)->records[0], "\n");
        return block;
    };
    const std::string added = blockOf(""), a = blockOf("{\nclassname A\n}");
    const std::string file = "// head\n\n// A\n{\nclassname A\n}\n\n// B is\n// b\n{\nclassname b\n}\n\n// end\n";
    const Arrangement rows[] = {
        {file, {1, 0}, "// head\n// B is\n// b\n{\nclassname b\n}\n\n\n// A\n{\nclassname A\n}\n\n// end\n"},
        {file, {1}, "// head\n// B is\n// b\n{\nclassname b\n}\n\n// end\n"},
        {file, {0, 7}, "// head\n\n// A\n{\nclassname A\n}\n\n" + added + "// end\n"},
        {file, {0, 0}, "// head\n\n// A\n{\nclassname A\n}\n\n" + a + "// end\n"},
        {"// head\n\n// notes\n\n// A\n{\nclassname A\n}\n\n{\nclassname b\n}\n",
         {1, 0},
         "// head\n\n// notes\n{\nclassname b\n}\n\n\n// A\n{\nclassname A\n}\n\n"},
        {"{\nclassname A\n}", {0, -1}, "{\nclassname A\n}\n\n" + added},
        {"{\nclassname A", {-1, 0}, added + "{\nclassname A"},
        {"{\nclassname A", {0, 0}, "{\nclassname A\n}\n\n" + a},
        {"{\r\nclassname A\r\n}\r\n", {0, 7}, "{\r\nclassname A\r\n}\r\n\r\n" + withCrlf(added)},
        {"// only text\n", {}, "// only text\n" + added},
        // Blocks after the 64th and the text after them stay, read or not.
        {blocks(66) + "// a\n// b\n",
         {1},
         "{\nclassname c1\n}\n\n{\nclassname c64\n}\n\n{\nclassname c65\n}\n\n// a\n// b\n"},
    };
    const auto defaults = readTable("");
    for (const Arrangement &row : rows) {
        const auto table = readTable(row.file);
        std::vector<ClassRecord> records;
        for (int origin : row.origins)
            records.push_back(origin >= 0 && origin < table->classCount ? table->records[std::size_t(origin)]
                                                                        : defaults->records[0]);
        if (row.origins.empty())
            records.push_back(defaults->records[0]);
        EXPECT_EQ(updatedClassFile(row.file, records, row.origins), row.written) << row.file;
    }
}

// Random values from a random table, into random fields and items.
void editRandomly(ClassRecord &record, const ClassRecord &values, std::mt19937 &random)
{
    auto pick = [&](std::size_t high) { return std::uniform_int_distribution<std::size_t>(0, high)(random); };
    for (std::size_t edits = pick(4); edits > 0; --edits) {
        const std::size_t key = pick(classFields().size() + inventorySlotCount - 1);
        if (key >= classFields().size()) {
            const std::size_t slot = key - classFields().size();
            record.inventory[slot] = pick(1) ? values.inventory[slot] : 0;
            continue;
        }
        const ClassField &field = classFields()[key];
        if (field.intMember)
            record.*field.intMember = values.*field.intMember;
        else if (field.floatMember)
            record.*field.floatMember = values.*field.floatMember;
        else
            field.text.set(record, field.text.get(values));
    }
}

// Mutated samples with random edits, dropped, swapped and added classes:
// what is written reads back as the edited classes.
TEST(ClassFileUpdate, ReadsBackAsTheEditedClasses)
{
    const std::string samples[] = {sample("tvclass_seals.cfg"), withCrlf(sample("tvclass_tangos.cfg"))};
    std::mt19937 random(5);
    auto values = std::make_unique<ClassTable>();
    auto edited = std::make_unique<ClassTable>();
    for (int run = 0; run < 300; ++run) {
        std::string bytes = samples[run % 2];
        mutate(bytes, random);
        fillRandomTable(*values, random);
        const auto table = readTable(bytes);
        std::vector<int> origins;
        edited->classCount = 0;
        for (int i = 0; i < table->classCount; ++i) {
            if (random() % 8 == 0)
                continue;
            const bool added = random() % 8 == 0 && table->classCount < tableSlotCount;
            ClassRecord &record = edited->records[std::size_t(edited->classCount++)];
            record = added ? values->records[0] : table->records[std::size_t(i)];
            origins.push_back(added ? -1 : i);
            editRandomly(record, values->records[std::size_t(i % values->classCount)], random);
        }
        if (origins.size() > 1 && random() % 2)
            std::swap(edited->records[0], edited->records[1]), std::swap(origins[0], origins[1]);
        const std::string written = updatedClassFile(bytes, classesOf(*edited), origins);
        if (edited->classCount == 0)
            edited->classCount = 1, applyEmptyTableDefault(edited->records[0]);
        expectSameClasses(*edited, *readTable(written));
        ASSERT_FALSE(HasFailure()) << "run " << run << "\n" << bytes << "\n----\n" << written;
    }
}

// A file in the fixed layout, as normalize and earlier versions wrote it,
// keeps that layout under any edit.
TEST(ClassFileUpdate, KeepsAFileInTheFixedLayoutFixed)
{
    std::mt19937 random(3);
    auto values = std::make_unique<ClassTable>();
    for (int run = 0; run < 200; ++run) {
        std::string bytes = sample(run % 2 ? "tvclass_seals.cfg" : "tvclass_tangos.cfg");
        mutate(bytes, random);
        const std::string lineEnd = run % 3 ? "\n" : "\r\n";
        const auto table = readTable(classFileBytes(*readTable(bytes), lineEnd));
        const std::string fixed = classFileBytes(*table, lineEnd);
        fillRandomTable(*values, random);
        for (std::size_t i = 0; i < std::size_t(table->classCount); ++i)
            editRandomly(table->records[i], values->records[i % std::size_t(values->classCount)], random);
        table->classCount = std::clamp(table->classCount + int(random() % 5) - 2, 1, tableSlotCount);
        ASSERT_EQ(updatedClassFile(fixed, classesOf(*table)), classFileBytes(*table, lineEnd)) << "run " << run;
    }
}

TEST(ClassFileUpdate, WritesTheFixedLayoutForAMissingFile)
{
    const auto table = readTable(sample("tvclass_seals.cfg"));
    EXPECT_EQ(updatedClassFile("", classesOf(*table)), classFileBytes(*table, platformLineEnd));
}

} // namespace

// The standard layout's values and lines, with the modder's notes kept.
TEST(ClassFileUpdate, NormalizingKeepingNotesRewritesOnlyValuesAndAddsMissingLines)
{
    const std::string standard = fileBytes(TOLVANE_TEST_DATA "/default_class.cfg");
    const auto edited = [&](std::vector<std::pair<std::string, std::string>> edits) {
        std::string text = standard;
        for (const auto &[from, to] : edits)
            text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string notes = "\n// my note\nfoo bar\n\nhealth";
    const std::pair<std::string, std::string> rows[] = {
        // file, normalized
        {standard, standard},
        {edited({{"\nhealth", notes}}), edited({{"\nhealth", notes}})},
        {edited({{"speed 1.000000", "SPEED 1 // fast"}, {"jump 1.000000\n", ""}}),
         edited({{"speed 1.000000", "speed 1.000000 // fast"}})},
        {edited({{"health 100", "health 1500 was 100"}, {"max_health 100", "max_health lots"}}),
         edited({{"health 100", "health 100 was 100"}, {"max_health 100", "max_health 0"}})},
        {edited({{"classabilities 0", "classabilities 41121.1.0"}, {"health 100", "health 7x"}}),
         edited({{"classabilities 0", "classabilities 41121"}, {"health 100", "health 7"}})},
        {edited({{"classabilities 0", "classabilities 3.9"},
                 {"}", "inventory Weapon_Knife 2 spare\ninventory "
                       "ammo_cells 0\ninventory weapon_laser 1\n}"}}),
         edited({{"classabilities 0", "classabilities 3"},
                 {"}", "inventory weapon_knife 2 spare\ninventory "
                       "weapon_laser 1\n}"}})},
        {"// only\n{\n// top\nhealth 5\n}\n", "// only\n{\n// top\nclassname ?\nclassabilities 0\nunderwaterair "
                                              "11.000000\nspeed 1.000000\njump 1.000000\nkeys \nresistance none\n"
                                              "health 5\nmax_health 100\nkevlar_trouser 20\nkevlar_vest 50\n"
                                              "combat_helmet 30\nmax_shells 20\nmax_rockets 4\nmax_grenades 20\n"
                                              "max_cells 200\nmax_357cal 12\nmax_45cal 4\nmax_9cal 4\nmax_556cal 4\n"
                                              "max_308cal 4\nmax_762bb 4\nstarting_weapon \n}\n"},
        {withCrlf(edited({{"resistance none", "resistance Fire"}})),
         withCrlf(edited({{"resistance none", "resistance fire"}}))},
        // Six decimals would change these values: they stay as written.
        {edited({{"underwaterair 11.000000", "underwaterair 0.0000001"},
                 {"speed 1.000000", "SPEED 3.1415926"},
                 {"jump 1.000000", "jump 1.5000"}}),
         edited({{"underwaterair 11.000000", "underwaterair 0.0000001"},
                 {"speed 1.000000", "SPEED 3.1415926"},
                 {"jump 1.000000", "jump 1.500000"}})},
    };
    for (const auto &[file, normalized] : rows) {
        EXPECT_EQ(normalizedKeepingNotes(file), normalized) << file;
        EXPECT_EQ(normalizedKeepingNotes(normalized), normalized) << file;
    }
}
