#pragma once

#include <QString>

#include <string>
#include <string_view>

// Class files are Windows-1252 text; the form shows Unicode. Every byte value
// maps to one character and back (the five bytes Windows-1252 leaves undefined
// map to the C1 controls of the same value); a character Windows-1252 cannot
// encode becomes '?'.
QString fromCp1252(std::string_view bytes);
std::string toCp1252(const QString &text);
