#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

// Numbers as the game reads and writes them: "%i"/"%f", and reading as the C
// library's atoi and atof do for decimal numbers, but always with '.' as the
// decimal point, whatever the process locale says, and with defined results
// where the C functions have none. Every number the program reads goes
// through these, so that a file, a box, a cell and a filter read it alike.

// atoi: leading blanks, a sign, the leading digits; 0 without digits.
// Values beyond the 32-bit range saturate at its ends. When used is given it
// receives how many characters the number took, 0 when there was none.
std::int32_t parseInt(std::string_view text, std::size_t *used = nullptr);

// atof as the game has it: leading blanks, a sign, digits with a fraction
// ("1.5", ".5", "5."), an exponent when digits follow its "e" and sign, and
// nothing else: "0x2" reads 0 (the "x" ends it), "inf" and "nan" are no
// number. 0 without a number; beyond a double's range, an infinity or 0.
// used as for parseInt.
double parseDouble(std::string_view text, std::size_t *used = nullptr);

// A double as a 32-bit float; finite values beyond its range saturate at its
// largest finite value, NaN stays NaN.
float toFloat32(double value);

// Truncation toward zero; beyond the 32-bit range saturates, NaN gives 0.
std::int32_t truncateToInt32(double value);

// "%i" and "%f" (six decimals) appended to text.
void appendInt(std::string &text, std::int32_t value);
void appendFloat(std::string &text, double value);

// The most characters "%f" gives: the widest finite double in fixed notation
// with six decimals.
inline constexpr std::size_t longestFloat = 320;
// "%f" written at at; returns the end.
char *putFloat(char *at, double value);

std::string formatInt(std::int32_t value);
std::string formatFloat(double value);

// The fewest digits that read back as value when read as the reader reads a
// float (a double, then rounded to 32 bits): "1.2", "11", "1e+30", "nan".
void appendShortestFloat(std::string &text, float value);

// The fewest digits that read back as the double value: "10.5", "1000", "nan".
std::string formatShortest(double value);

} // namespace tolvane
