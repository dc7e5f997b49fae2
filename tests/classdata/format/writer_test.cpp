#include "classdata/format/classfilewriter.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(ClassFileWriter, WritesTheEmptyTableDefaultAsTheGoldenFile)
{
    const std::string golden = fileBytes(TOLVANE_TEST_DATA "/default_class.cfg");
    ASSERT_FALSE(golden.empty());
    const auto table = readTable("");
    EXPECT_EQ(classFileBytes(*table, "\n"), golden);

    std::string crlf;
    for (char c : golden)
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    EXPECT_EQ(classFileBytes(*table, "\r\n"), crlf);
}

TEST(ClassFileWriter, WritesValuesUncheckedInTheFixedLayout)
{
    const struct
    {
        void (*change)(ClassRecord &);
        std::string_view text;
        bool written;
    } rows[] = {
        {[](ClassRecord &r) { r.resistance = -1; }, "\nresistance", false},
        {[](ClassRecord &r) { r.resistance = 0.5f; }, "\nresistance", false},
        {[](ClassRecord &r) { r.resistance = -0.0f; }, "\nresistance none\n", true},
        {[](ClassRecord &r) { r.resistance = 1; }, "\nresistance fire\n", true},
        {[](ClassRecord &r) { r.resistance = 2; }, "\nresistance explosive\n", true},
        {[](ClassRecord &r) { r.speed = 12; }, "\nspeed 12.000000\n", true},
        {[](ClassRecord &r) { r.underwaterair = 0.1f; }, "\nunderwaterair 0.100000\n", true},
        {[](ClassRecord &r) { r.underwaterair = 0.0078125f; }, "\nunderwaterair 0.007812\n", true},
        {[](ClassRecord &r) { r.underwaterair = -1e-7f; }, "\nunderwaterair -0.000000\n", true},
        {[](ClassRecord &r) { r.underwaterair = 1e13f; }, "\nunderwaterair 9999999827968.000000\n", true},
        {[](ClassRecord &r) { r.health = 1500; }, "\nhealth 1500\n", true},
        {[](ClassRecord &r) { r.classname.assign("Big Gun"); }, "\n// Big Gun\n{\nclassname Big Gun\n", true},
        {[](ClassRecord &r) { r.classname.assign("A\rB\r\r"); }, "\n// A\rB\n{\nclassname A\rB\n", true},
        {[](ClassRecord &r) { r.keys.assign("k\r\nx\r\n\r"); }, "\nkeys k\rx\n", true},
        {[](ClassRecord &r) { r.keys.assign("k\n{\r"); }, "\nkeys k{\n", true},
        {[](ClassRecord &r) { r.inventory[2] = 2; }, "\ninventory weapon_Mk23 2\n", true},
        {[](ClassRecord &r) { r.inventory[12] = 1; }, "\ninventory weapon_UZI 1\n", true},
        {[](ClassRecord &r) { r.inventory[35] = -3; }, "\ninventory ammo_cells -3\n", true},
        {[](ClassRecord &r) { r.inventory[43] = r.inventory[0] = 1; },
         "\ninventory weapon_knife 1\ninventory ammo_bullets 1\n}\n\n", true},
        {[](ClassRecord &) {}, "inventory", false},
    };
    for (const auto &row : rows) {
        auto table = readTable("{\n}\n");
        row.change(table->records[0]);
        const std::string out = classFileBytes(*table, "\n");
        EXPECT_EQ(out.find(row.text) != std::string::npos, row.written) << row.text;
    }
}

TEST(ClassFileWriter, KeepsTheLineEndOfTheOldFilesFirstLine)
{
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"", platformLineEnd}, {"a\r\nb\n", "\r\n"}, {"\r\n", "\r\n"}, {"a\nb\r\n", "\n"}, {"a\r", platformLineEnd},
    };
    for (const auto &[old, kept] : rows)
        EXPECT_EQ(lineEndToKeep(old), kept) << old;
}

} // namespace
