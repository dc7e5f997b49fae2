#pragma once

#include <string>
#include <string_view>

// Text for a terminal or a JSON file, made from bytes that a file or a
// command line gave, so that no byte can act as a terminal control: control
// bytes and bytes that stand for no character are shown as escapes ("\x1b").

// Windows-1252 bytes of a class file as UTF-8.
std::string readableFromWindows1252(std::string_view bytes);

// A file name as given (UTF-8, or bytes the system took as they are) as
// UTF-8; bytes that are not UTF-8 are escaped.
std::string readableFileName(std::string_view name);

// text (UTF-8) as the contents of a JSON string, without the quotes.
std::string jsonEscaped(std::string_view text);
