// Patch notes as a modder posts them: the table's names, numbers as written
// by hand with their change in percent, teams under their headings, in
// plain text, Markdown and BBCode.

#include "../sessiontesthelpers.h"

#include "model/compare/patchnotes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace tolvane;

namespace {

TEST(PatchNotes, OneChangeInTheTablesWords)
{
    const std::tuple<const char *, const char *, const char *> rows[] = {
        // before, after (the lines of a class), the note
        {"speed 0.9", "speed 0.81", "Class Speed 0.9 -> 0.81 (-10%)"},
        {"health 100", "health 95", "Health 100 -> 95 (-5%)"},
        {"max_grenades 3", "max_grenades 1", "Max Grenades 3 -> 1 (-66.7%)"},
        {"underwaterair 2", "underwaterair 3.5", "Underwaterair 2 -> 3.5 (+75%)"},
        {"kevlar_vest 0", "kevlar_vest 50", "Kevlar Vest 0 -> 50"},
        {"jump 1", "jump 1.000001", "Jump Height 1 -> 1.000001"},
        {"resistance none", "resistance explosive", "Resistance Normal Armor -> Blast Armor"},
        {"classname Scout", "classname Ranger", "Classname \"Scout\" -> \"Ranger\""},
        {"keys", "keys my_pyro.cfg", "Config File \"\" -> \"my_pyro.cfg\""},
        {"starting_weapon weapon_mk23", "starting_weapon weapon_mp5", "Starting Weapon Mk23 -> H&K MP 5"},
        {"classabilities 0", "classabilities 32768", "Sniper Scope no -> yes"},
        {"classabilities 0", "classabilities 2048", "ability bit 0x800 no -> yes"},
        {"inventory ammo_fgrenades 2", "inventory ammo_fgrenades 4", "Flash Grenades 2 -> 4"},
    };
    for (const auto &[before, after, note] : rows) {
        const std::vector<ClassRecord> classes = classesIn(block(before) + block(after));
        ASSERT_EQ(classes.size(), 2u) << before;
        const std::vector<ValueChange> changes = valueChanges(classes[0], classes[1], ValueNaming::AsForm);
        ASSERT_EQ(changes.size(), 1u) << before;
        EXPECT_EQ(changeNote(changes[0], classes[0], classes[1]), note);
    }
}

TEST(PatchNotes, PercentOfTheOldValue)
{
    const std::tuple<double, double, const char *> rows[] = {
        {100, 95, "-5%"},     {0.9, 0.81, "-10%"}, {3, 1, "-66.7%"},  {200, 201, "+0.5%"}, {-2, -1, "+50%"},
        {1, 1000, "+99900%"}, {0, 5, ""},          {100, 100.04, ""}, {1, 1.0000001, ""},
    };
    for (const auto &[before, after, percent] : rows)
        EXPECT_EQ(percentChange(before, after), percent) << before << " -> " << after;
}

TEST(PatchNotes, MarkdownEscapesOnlyWhatItWouldTakeForMarkup)
{
    const std::pair<const char *, const char *> rows[] = {
        {"max_health", "max_health"}, {"_Pyro_", "\\_Pyro\\_"}, {"Pyro*", "Pyro\\*"}, {"[TF] #1", "\\[TF\\] \\#1"},
        {"H&K MP 5", "H&K MP 5"},     {"&amp;", "\\&amp;"},     {"<b>", "\\<b\\>"},   {"a`b|c~d!", "a\\`b\\|c\\~d\\!"},
    };
    for (const auto &[text, escaped] : rows)
        EXPECT_EQ(markdownEscaped(text), escaped) << text;
}

// A heading that is a file's name, as each format writes it: underlined to
// its length, or escaped where Markdown would take it for markup.
TEST(PatchNotes, FileNameHeadings)
{
    const std::vector<ClassRecord> classes = classesIn(block("classname Sniper"));
    const std::vector<NotesSection> sections{{"*new* [1].cfg", classes, classes}};
    const std::pair<NotesFormat, const char *> rows[] = {
        {NotesFormat::Text, "*new* [1].cfg\n=============\n\nNo class differs.\n"},
        {NotesFormat::Markdown, "## \\*new\\* \\[1\\].cfg\n\nNo class differs.\n"},
        {NotesFormat::BBCode, "[b][u]*new* [1].cfg[/u][/b]\n\nNo class differs.\n"},
    };
    for (const auto &[format, notes] : rows)
        EXPECT_EQ(patchNotes(sections, format), notes) << int(format);
}

// Both teams compared: the Seals changed, added and removed classes, the
// Tangos none; every format has a heading for each team.
class PatchNotesOfTwoTeams : public ::testing::Test
{
protected:
    std::vector<ClassRecord> sealsBefore = classesIn(block("classname Sniper\nhealth 100\nspeed 0.9")
                                                     + block("classname Scout") + block("classname Heavy\nhealth 150"));
    std::vector<ClassRecord> sealsAfter = classesIn(
        block("classname Heavy\nhealth 150") + block("classname Sniper\nhealth 95\nspeed 0.81\nclassabilities 32768")
        + block("classname Pyro_*\nkeys pyro.cfg\nmax_cells 0\nclassabilities 131072\ninventory weapon_knife 1"));
    std::vector<ClassRecord> tangos = classesIn(block("classname Gunner"));
    std::vector<NotesSection> sections{{"Seals", sealsBefore, sealsAfter}, {"Tangos", tangos, tangos}};
    // The added class's values, as each format gives them.
    static std::string pyroValues(std::string_view name)
    {
        return std::string(name)
               + ": Config File \"pyro.cfg\", Resistance Normal Armor, Helmet 30, Kevlar Vest 50, Trousers 20, "
                 "Health 100, Max Health 100, Class Speed 1, Jump Height 1, Underwaterair 11, Max Shells 20, "
                 "Max .357 Bullets 12, Max Rockets 4, Max Cells 0, Max Pistol Mag 4, Max 9mm Mag 4, Max AR Mag 4, "
                 "Max .308 cal Mag 4, Max 7.62mm BB 4, Max Grenades 20, Can Heal Others, Army Knife 1\n";
    }
};

TEST_F(PatchNotesOfTwoTeams, PlainText)
{
    EXPECT_EQ(patchNotes(sections, NotesFormat::Text), "Seals\n=====\n\n"
                                                       "Changed\n"
                                                       "- Sniper\n"
                                                       "  - Health 100 -> 95 (-5%)\n"
                                                       "  - Class Speed 0.9 -> 0.81 (-10%)\n"
                                                       "  - Sniper Scope no -> yes\n"
                                                       "\nAdded\n- "
                                                           + pyroValues("Pyro_*")
                                                           + "\nRemoved\n"
                                                             "- Scout\n"
                                                             "\nTangos\n======\n\nNo class differs.\n");
}

TEST_F(PatchNotesOfTwoTeams, Markdown)
{
    EXPECT_EQ(patchNotes(sections, NotesFormat::Markdown), "## Seals\n\n"
                                                           "### Changed\n\n"
                                                           "- **Sniper**\n"
                                                           "  - Health 100 -> 95 (-5%)\n"
                                                           "  - Class Speed 0.9 -> 0.81 (-10%)\n"
                                                           "  - Sniper Scope no -> yes\n"
                                                           "\n### Added\n\n- "
                                                               + pyroValues("**Pyro\\_\\***")
                                                               + "\n### Removed\n\n"
                                                                 "- **Scout**\n"
                                                                 "\n## Tangos\n\nNo class differs.\n");
}

TEST_F(PatchNotesOfTwoTeams, BBCode)
{
    EXPECT_EQ(patchNotes(sections, NotesFormat::BBCode), "[b][u]Seals[/u][/b]\n\n"
                                                         "[b]Changed[/b]\n[list]\n"
                                                         "[*][b]Sniper[/b]\n[list]\n"
                                                         "[*]Health 100 -> 95 (-5%)\n"
                                                         "[*]Class Speed 0.9 -> 0.81 (-10%)\n"
                                                         "[*]Sniper Scope no -> yes\n"
                                                         "[/list]\n[/list]\n"
                                                         "\n[b]Added[/b]\n[list]\n[*]"
                                                             + pyroValues("[b]Pyro_*[/b]")
                                                             + "[/list]\n"
                                                               "\n[b]Removed[/b]\n[list]\n"
                                                               "[*][b]Scout[/b]\n[/list]\n"
                                                               "\n[b][u]Tangos[/u][/b]\n\nNo class differs.\n");
}

// Classes matched as the diff matches them: a moved class is no change, a
// renamed one in its place is; each team's notes are its own.
TEST_F(PatchNotesOfTwoTeams, EachTeamUnderItsOwnHeading)
{
    const std::vector<ClassRecord> renamed = classesIn(block("classname Gunner\nhealth 80") + block("classname Spy"));
    const std::vector<ClassRecord> moved = classesIn(block("classname Spy") + block("classname Gunner\nhealth 80"));
    const std::vector<ClassRecord> spy = classesIn(block("classname Spy"));
    const std::vector<NotesSection> rows[] = {
        {{"Tangos", tangos, renamed}},
        {{"Seals", sealsBefore, sealsBefore}, {"Tangos", renamed, moved}},
        {{"Seals", sealsBefore, sealsBefore}, {"Tangos", tangos, spy}},
    };
    const char *expected[] = {
        "Tangos\n======\n\nChanged\n- Gunner\n  - Health 100 -> 80 (-20%)\n\nAdded\n- Spy: ",
        "Seals\n=====\n\nNo class differs.\n\nTangos\n======\n\nNo class differs.\n",
        "Seals\n=====\n\nNo class differs.\n\nTangos\n======\n\nChanged\n- Spy\n  - Classname \"Gunner\" -> \"Spy\"\n",
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_TRUE(patchNotes(rows[i], NotesFormat::Text).starts_with(expected[i]))
            << patchNotes(rows[i], NotesFormat::Text);
}

} // namespace
