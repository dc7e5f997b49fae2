#include "classdata/text/textnumbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace tolvane;

namespace {

// The float reader against the C library's strtod, in value (to the bit,
// any NaN for a NaN) and in the characters taken. (The fuzz target compares
// them on any input.)
TEST(TextNumbers, ReadsFloatsAsStrtod)
{
    const std::string rows[] = {
        " \t-2.5e3x",
        "+-1",
        "-+1",
        "1e400",
        "-1e400",
        "1e-400",
        "4.9e-324",
        "1e-310",
        "2.2250738585072011e-308",
        "1.7976931348623159e308",
        "1e5000000000000",
        "0.000000000000000000000000000001e-300",
        "0x1.8p1",
        "0x",
        "0x.8",
        "0x.",
        "0X1P-1074",
        "0x1p1024",
        "0x1p",
        "0xg",
        "inf",
        "-Infinity",
        "infin",
        "-nan",
        "nan(a_1)",
        "nan(",
        "1e",
        "1e+",
        ".5",
        "5.",
        ".",
        "+.e1",
        "-0",
        "\v\f\r 3",
        "1,5",
    };
    for (const std::string &text : rows) {
        char *end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        std::size_t used = 0;
        const double parsed = parseDouble(text, &used);
        // Where no number is read, the sign of the 0 is the C library's choice
        // (Windows' strtod gives -0 for "-+1"); the reader gives +0.
        const bool noNumber = end == text.c_str();
        EXPECT_TRUE(std::bit_cast<std::uint64_t>(parsed) == std::bit_cast<std::uint64_t>(expected)
                    || (std::isnan(parsed) && std::isnan(expected))
                    || (noNumber && parsed == 0.0 && !std::signbit(parsed) && expected == 0.0))
            << text << ": " << parsed << " for " << expected;
        EXPECT_EQ(used, std::size_t(end - text.c_str())) << text;
    }
}

} // namespace
