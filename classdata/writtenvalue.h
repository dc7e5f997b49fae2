#pragma once

#include "classfields.h"
#include "classrecord.h"

#include <optional>
#include <string>

// A field's value as Write Out puts it after the key: "%i", "%f", the
// resistance word, a text without the line ends it cannot hold; nullopt
// where no line is written (a resistance other than none, fire or explosive).
// Two values that give the same text are the same value in the file.
std::optional<std::string> writtenValue(const ClassField &field, const ClassRecord &record);
