#include "classdata/text/textnumbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace tolvane;

namespace {

// The float reader takes the decimal number at the start of a text, as the
// game reads it; its value is the C library's strtod of that part (to the
// bit), and it takes all of that part and no more. Hexadecimal numbers,
// infinities and NaN are no numbers to the game. (The fuzz target compares
// them on any input.)
TEST(TextNumbers, ReadsDecimalNumbersAsTheGame)
{
    struct Row
    {
        std::string text;
        std::string number; // the part the reader takes: blanks, sign, digits, fraction, exponent
    };
    const Row rows[] = {
        // clang-format off
        {" \t-2.5e3x", " \t-2.5e3"}, {"+-1", ""}, {"-+1", ""}, {"1e400", "1e400"}, {"-1e400", "-1e400"},
        {"1e-400", "1e-400"}, {"4.9e-324", "4.9e-324"}, {"1e-310", "1e-310"},
        {"2.2250738585072011e-308", "2.2250738585072011e-308"}, {"1.7976931348623159e308", "1.7976931348623159e308"},
        {"1e5000000000000", "1e5000000000000"},
        {"0.000000000000000000000000000001e-300", "0.000000000000000000000000000001e-300"}, {"0x1.8p1", "0"},
        {"0x2", "0"}, {"-0X1P-1074", "-0"}, {"0x", "0"}, {"0x.8", "0"}, {"inf", ""}, {"-Infinity", ""}, {"nan", ""},
        {"-nan(a_1)", ""}, {"1e", "1"}, {"1e+", "1"}, {"1e+x", "1"}, {"2E-3.5", "2E-3"}, {".5", ".5"}, {"5.", "5."},
        {".", ""}, {"+.e1", ""}, {"-0", "-0"}, {"\v\f\r 3", "\v\f\r 3"}, {"1,5", "1"}, {"12abc", "12"},
        // clang-format on
    };
    for (const Row &row : rows) {
        const bool none = row.number.find_first_of("0123456789") == std::string::npos;
        const double expected = none ? 0.0 : std::strtod(row.number.c_str(), nullptr);
        std::size_t used = 99;
        const double parsed = parseDouble(row.text, &used);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(parsed), std::bit_cast<std::uint64_t>(expected))
            << row.text << ": " << parsed << " for " << expected;
        EXPECT_EQ(used, none ? 0 : row.number.size()) << row.text;
    }
}

} // namespace
