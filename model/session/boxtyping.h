#pragma once

#include <string>
#include <string_view>

// What the keyboard puts into the form's boxes, for the boxes themselves and
// for the class table's cells, which take what the boxes take. A digits box
// takes the digits 0 to 9 and nothing else from the keyboard; the other
// boxes take any character.

namespace tolvane {

// Whether a digits box takes every character of typed.
bool digitsBoxTakes(std::string_view typed);

// What a digits box that showed shown holds once text is typed into it:
// shown itself when text is the same; otherwise the digits of text, after a
// "-" only where both begin with one (the sign of a negative number the box
// showed may stay, but cannot be typed): "-5" typed over "20" is "5", "7.9"
// is "79".
std::string typedIntoDigitsBox(std::string_view shown, std::string_view text);

} // namespace tolvane
