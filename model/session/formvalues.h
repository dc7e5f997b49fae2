#pragma once

#include "classdata/format/classrecord.h"
#include "formbindings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// What the boxes of the form hold: texts as Windows-1252 bytes, check states,
// and list selections as entry positions (-1: none selected). The boxes of
// formBindings keep their values here in their places (FormBinding::index).
struct FormValues
{
    std::string className;
    std::string configFile;
    std::array<std::string, boxCount(BoxKind::Float)> floats;
    std::array<std::string, boxCount(BoxKind::Int)> ints;
    std::array<bool, boxCount(BoxKind::Ability)> abilities{};
    int resistance = 0;     // an entry of resistanceEntries
    int item = 0;           // an entry of the item list: the catalogue in order
    std::string amount;     // the Amount box beside the item list
    int startingWeapon = 0; // an entry of startingWeaponEntries()
    std::string calculated; // the box Calculate fills

    bool operator==(const FormValues &) const = default;

    // The text of a Text, Int or Float box; nullptr for another.
    std::string *text(const FormBinding &box);
    const std::string *text(const FormBinding &box) const;
    // The entry of a list: Resistance or StartingWeapon; nullptr for another.
    int *entry(const FormBinding &box);
    const int *entry(const FormBinding &box) const;
};

// The two text boxes in their places: the class name, then the config file.
static_assert([] {
    for (const FormBinding &box : formBindings) {
        if (box.kind == BoxKind::Text && box.key != (box.index == 0 ? "classname" : "keys"))
            return false;
    }
    return boxCount(BoxKind::Text) == 2;
}());

// The entries of the resistance list, for the values 0, 1 and 2.
inline constexpr std::string_view resistanceEntries[] = {"Normal Armor", "Fire Armor", "Blast Armor"};
static_assert(std::size(resistanceEntries) == std::size(resistanceWords));

// The display names the starting-weapon list offers, in order.
const std::vector<std::string_view> &startingWeaponEntries();

// Fills the boxes that show the record's fields; the item list, Amount and
// the Calculate result keep what they hold.
void showRecordIn(const ClassRecord &record, FormValues &form);
// Stores the boxes into the record: numbers as the class file reader parses
// them, texts cut to their fields, the abilities as their bits. The record
// is the one the form showed: a number box whose text is still what it
// showed keeps the record's value exactly, and ability bits that have no
// box keep theirs.
void storeForm(const FormValues &form, ClassRecord &record);

// One box's text stored into the field it carries, as storing the form
// stores it: the number the class file reader would read, or the text cut
// to its field.
void storeBoxText(const ClassField &field, std::string_view text, ClassRecord &record);
// The resistance entry a value selects, or -1 for none; and the value an
// entry stores (-1 for none).
int resistanceEntry(float resistance);
float resistanceOfEntry(int entry);

// The inventory slot of a list entry's display name.
std::optional<int> itemSlot(int itemEntry);
std::optional<int> startingWeaponSlot(int entry);

} // namespace tolvane
