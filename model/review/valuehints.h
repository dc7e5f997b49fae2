#pragma once

#include "model/session/formbindings.h"

#include <string>
#include <string_view>

namespace tolvane {

// What the game or the class file makes of the text in a box of the form,
// for the hint the window shows at the box: empty when the text is taken as
// it is. Hints are UTF-8; bytes are the box's text in Windows-1252.

// A number box, whole numbers or not: the number stored in place of a text
// that is not wholly a number, and the value the game reads in place of one
// outside field's range (field: nullptr for a value without one). typed is
// the text as the box shows it, for the message.
std::string numberHint(const ClassField *field, bool isFloat, std::string_view bytes, std::string_view typed);

// A text box whose field keeps at most limit bytes (0: no limit): what the
// field keeps of a longer text.
std::string lengthHint(std::size_t limit, std::string_view bytes);

// The same for a box of the form.
inline std::string numberHint(const FormBinding &box, std::string_view bytes, std::string_view typed)
{
    return numberHint(box.field, box.kind == BoxKind::Float, bytes, typed);
}
inline std::string lengthHint(const FormBinding &box, std::string_view bytes)
{
    return lengthHint(box.textLimit, bytes);
}

} // namespace tolvane
