// What the form's hints say the game reads or the file keeps instead of a box's text.

#include "model/review/valuehints.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

struct HintRow
{
    int id;
    std::string typed; // Windows-1252
    std::string hint;  // empty: no hint
};

std::string hintFor(const HintRow &row)
{
    const FormBinding &box = *bindingOfControl(row.id);
    return box.kind == BoxKind::Text ? lengthHint(box, row.typed) : numberHint(box, row.typed, row.typed);
}

TEST(ValueHints, NameWhatTheGameReadsOrTheFileKeepsInstead)
{
    const HintRow rows[] = {
        {ControlId::Health, "1500", "1500 is outside 0 to 999: the game will read 100 instead."},
        {ControlId::Health, "999", ""},
        {ControlId::Rockets, "5000", "5000 is outside 0 to 999: the game will read 2 instead."},
        {ControlId::Helmet, "1000", "1000 is outside 0 to 999: the game will read 20 instead."},
        {ControlId::Speed, "12", "12 is outside 0 to 10: the game will read 1.000000 instead."},
        {ControlId::Speed, "10", ""},
        {ControlId::Speed, "10.0000001", ""}, // written as 10.000000
        {ControlId::Jump, "nan", "Not a number: 0.000000 is stored."},
        {ControlId::Speed, "0x2", "Only the number at the start is read: 0.000000 is stored."},
        {ControlId::UnderwaterAir, "1e30", ""},
        {ControlId::Speed, "fast", "Not a number: 0.000000 is stored."},
        {ControlId::Jump, "12x",
         "Only the number at the start is read: 12.000000 is stored.\n12x is outside 0 to 10: the "
         "game will read 1.000000 instead."},
        {ControlId::UnderwaterAir, "1,5", "Only the number at the start is read: 1.000000 is stored."},
        {ControlId::Health, "12 \xA0", ""},
        {ControlId::Health, "12abc", "Only the number at the start is read: 12 is stored."},
        {ControlId::ClassName, "Heavy Gunner of the Northern Front",
         "Only the first 31 characters are kept: Heavy Gunner of the Northern Fr"},
        {ControlId::ClassName, "Ing\xE9nieur \x80", ""},
        {ControlId::ConfigFile, std::string(1024, 'k'),
         "Only the first 1023 characters are kept: " + std::string(1023, 'k')},
        {ControlId::ConfigFile, std::string(1023, 'k'), ""},
    };
    for (const HintRow &row : rows)
        EXPECT_EQ(hintFor(row), row.hint) << row.typed;
}

} // namespace
