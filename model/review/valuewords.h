#pragma once

#include "classdata/compare/classvalues.h"

#include <optional>
#include <string>
#include <string_view>

// The words the editor names a value by wherever it names one for people
// (Review Changes and the questions of a merge, Compare Two Classes, the
// chart, the patch notes, the Problems window): the title of the value's
// column in the class table, which the box's binding row gives. The file's
// key (valueKey) stays for tooltips and for the tool's lines. Texts are
// Windows-1252 bytes unless said otherwise.

namespace tolvane {

// The value's column title ("Class Speed", "Max .357 Bullets", "Sniper
// Scope", "Flash Grenades"), or where no column shows it, its name
// ("ability bit 0x800").
std::string columnTitle(const ClassValue &value);
// The title of the value of a class file key, as readable UTF-8: "Class
// Speed" for speed, "Flash Grenades" for "inventory ammo_fgrenades"; a key
// of no value as it is.
std::string keyTitle(std::string_view key);
// One side of a value as people read it where two classes are set side by
// side: shown as shownValue gives it, the resistance by the entry the form's
// list shows ("Normal Armor"), a text in quotes, "(no line)" for none.
std::string sideWords(const ClassValue &value, const std::optional<std::string> &shown);
// A change in the table's words: "Class Speed 1.000000 -> 1.500000",
// "Resistance Normal Armor -> Fire Armor", "Flash Grenades 0 -> 2".
std::string changeWords(const ValueChange &change);

} // namespace tolvane
