#include "textnumbers.h"

#include "asciitext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tolvane {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Removes leading blanks and one sign; tells whether the sign was a minus.
bool takeSign(std::string_view &text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    text.remove_prefix(i);
    return negative;
}

// Whether a decimal number that from_chars found out of range is too large
// (rather than too small): the position of its first significant digit plus
// its exponent decides.
bool decimalOverflows(std::string_view number)
{
    std::size_t i = 0;
    // 64 bits: an exponent near the int32 limit plus the magnitude must not
    // wrap, and long has 32 bits on Windows.
    std::int64_t magnitude = 0;
    while (i < number.size() && number[i] == '0')
        ++i;
    while (i < number.size() && isDigit(number[i]))
        ++i, ++magnitude;
    if (magnitude == 0 && i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && number[i] == '0'; ++i)
            --magnitude;
    }
    std::size_t e = number.find_first_of("eE");
    const std::int64_t exponent = e == std::string_view::npos ? 0 : parseInt(number.substr(e + 1));
    return magnitude + exponent > 0;
}

// The length of the decimal number at the start of text: digits with a
// fraction, then an exponent when digits follow its sign; 0 without digits.
std::size_t decimalLength(std::string_view text)
{
    const auto digitsFrom = [&](std::size_t at) {
        while (at < text.size() && isDigit(text[at]))
            ++at;
        return at;
    };
    std::size_t end = digitsFrom(0);
    std::size_t digits = end;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = digitsFrom(end + 1);
        digits += fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (digits == 0)
        return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t at = end + 1;
        if (at < text.size() && (text[at] == '-' || text[at] == '+'))
            ++at;
        if (const std::size_t exponentEnd = digitsFrom(at); exponentEnd > at)
            end = exponentEnd;
    }
    return end;
}

} // namespace

std::int32_t parseInt(std::string_view text, std::size_t *used)
{
    const char *start = text.data();
    bool negative = takeSign(text);
    // Accumulate negatively so that INT32_MIN needs no special case.
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::size_t digits = 0;
    for (char c : text) {
        if (!isDigit(c))
            break;
        ++digits;
        value = value * 10 - (c - '0');
        if (value < -limit)
            value = -limit;
    }
    if (used)
        *used = digits == 0 ? 0 : std::size_t(text.data() - start) + digits;
    if (!negative)
        value = std::min(-value, limit - 1);
    return std::int32_t(value);
}

double parseDouble(std::string_view text, std::size_t *used)
{
    const char *start = text.data();
    if (used)
        *used = 0;
    const bool negative = takeSign(text);
    const std::size_t length = decimalLength(text);
    if (length == 0)
        return 0.0;
    const std::string_view number = text.substr(0, length);
    double value = 0.0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc::result_out_of_range)
        value = decimalOverflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
    if (used)
        *used = std::size_t(number.data() + number.size() - start);
    return negative ? -value : value;
}

float toFloat32(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (value > largest)
        return float(largest);
    if (value < -largest)
        return float(-largest);
    return float(value);
}

std::int32_t truncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return std::int32_t(value);
}

void appendInt(std::string &text, std::int32_t value)
{
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

char *putFloat(char *at, double value)
{
    // A value that a 32-bit float holds, as every float field does, has an
    // exact value times 10^6 that fits a double (24 + 20 significant bits), so
    // rounding that to an integer rounds as printf does, ties to even, and the
    // digits need no floating-point formatting: the writer's common case.
    const double scaled = std::fabs(value) * 1e6;
    if (double(float(value)) == value && scaled < 0x1p52) {
        // Adding and taking away 2^52 rounds to an integer, ties to even.
        const auto units = std::uint64_t((scaled + 0x1p52) - 0x1p52);
        if (std::signbit(value))
            *at++ = '-';
        at = std::to_chars(at, at + 20, units / 1000000).ptr;
        *at++ = '.';
        auto rest = units % 1000000;
        for (int digit = 5; digit >= 0; --digit, rest /= 10)
            at[digit] = char('0' + rest % 10);
        return at + 6;
    }
    return std::to_chars(at, at + longestFloat, value, std::chars_format::fixed, 6).ptr;
}

void appendFloat(std::string &text, double value)
{
    char buffer[longestFloat];
    text.append(buffer, putFloat(buffer, value));
}

std::string formatInt(std::int32_t value)
{
    std::string text;
    appendInt(text, value);
    return text;
}

std::string formatFloat(double value)
{
    std::string text;
    appendFloat(text, value);
    return text;
}

void appendShortestFloat(std::string &text, float value)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    // The shortest digits name value as a float; read as a double first, a
    // value on the edge between two floats could round the other way.
    const double read = parseDouble(std::string_view(buffer, std::size_t(result.ptr - buffer)));
    if (!std::isnan(value) && toFloat32(read) != value)
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9);
    text.append(buffer, result.ptr);
}

std::string formatShortest(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace tolvane
