#pragma once

#include "formbindings.h"

#include <string>
#include <string_view>

// What the game or the class file makes of the text in a box of the form,
// for the hint the window shows at the box: empty when the text is taken as
// it is. Hints are UTF-8; bytes are the box's text in Windows-1252.

// An Int or Float box: the number stored in place of a text that is not
// wholly a number, and the value the game reads in place of one outside the
// field's range. typed is the text as the box shows it, for the message.
std::string numberHint(const FormBinding &box, std::string_view bytes, std::string_view typed);

// A Text box: what the field keeps of a text longer than it.
std::string lengthHint(const FormBinding &box, std::string_view bytes);
