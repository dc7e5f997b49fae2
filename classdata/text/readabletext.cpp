#include "readabletext.h"

#include "windows1252.h"

namespace tolvane {

namespace {

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

void appendEscape(std::string &out, unsigned char byte)
{
    constexpr char hex[] = "0123456789abcdef";
    out += "\\x";
    out += hex[byte >> 4];
    out += hex[byte & 0xF];
}

} // namespace

std::string readableFromWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char byte : bytes) {
        const char32_t c = unicodeOfWindows1252(byte);
        if (isControl(c) || !isDefinedInWindows1252(byte))
            appendEscape(out, byte);
        else
            appendUtf8(out, c);
    }
    return out;
}

std::string readableFileName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    bool backslash = false; // one waits: whether to double it depends on what follows
    while (!name.empty()) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(name, c);
        const bool escaped = length == 0 || isControl(c);
        if (backslash)
            out += escaped || c == '\\' || c == 'x' ? "\\\\" : "\\";
        backslash = !escaped && c == '\\';
        if (escaped)
            appendEscape(out, static_cast<unsigned char>(name[0]));
        else if (!backslash)
            out.append(name.substr(0, length));
        name.remove_prefix(escaped ? 1 : length);
    }
    if (backslash)
        out += '\\';
    return out;
}

std::string diffHeaderName(std::string_view name)
{
    std::string quoted = "\"";
    bool plain = !name.empty();
    while (!name.empty()) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(name, c);
        if (length == 0 || isControl(c)) {
            constexpr std::string_view named = "\a\b\t\n\v\f\r", letters = "abtnvfr";
            const std::size_t at = named.find(name[0]);
            const auto byte = static_cast<unsigned char>(name[0]);
            quoted += '\\';
            quoted += at != std::string_view::npos && name[0] != 0
                          ? std::string(1, letters[at])
                          : std::string{char('0' + (byte >> 6)), char('0' + ((byte >> 3) & 7)), char('0' + (byte & 7))};
            plain = false;
            name.remove_prefix(1);
            continue;
        }
        if (c == ' ' || c == '"' || c == '\\') {
            plain = false;
            if (c != ' ')
                quoted += '\\';
        }
        quoted.append(name.substr(0, length));
        name.remove_prefix(length);
    }
    return plain ? quoted.substr(1) : quoted + '"';
}

std::string jsonEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tolvane
