#include "readabletext.h"

#include "windows1252.h"

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
    while (!name.empty()) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(name, c);
        if (length == 0 || isControl(c)) {
            appendEscape(out, static_cast<unsigned char>(name[0]));
            name.remove_prefix(1);
        } else {
            out.append(name.substr(0, length));
            name.remove_prefix(length);
        }
    }
    return out;
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
