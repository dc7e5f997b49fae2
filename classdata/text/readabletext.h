#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// Text for a terminal or a JSON file, made from bytes that a file or a
// command line gave, so that no byte can act as a terminal control: control
// bytes and bytes that stand for no character are shown as escapes ("\x1b").

// Windows-1252 bytes of a class file as UTF-8.
std::string readableFromWindows1252(std::string_view bytes);

// A file name as given (UTF-8, or bytes the system took as they are) as
// UTF-8; bytes that are not UTF-8 are escaped. A backslash that an escape or
// an "x" follows is doubled, so that a name holding the four characters
// "\xff" and one holding the byte 0xFF read differently.
std::string readableFileName(std::string_view name);

// A file name as GNU diff writes it in a unified diff's header, which patch
// reads back: as it is, or, when it holds a space, a quote, a backslash, a
// control byte or a byte that is not UTF-8, in double quotes with C escapes
// ("\377" for such a byte).
std::string diffHeaderName(std::string_view name);

// text (UTF-8) as the contents of a JSON string, without the quotes.
std::string jsonEscaped(std::string_view text);

} // namespace tolvane
