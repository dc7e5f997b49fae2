#include "asanoptions.h"
#include "checkreport.h"
#include "classfilereader.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// Whether text is well-formed UTF-8 in which the only control byte is a line
// feed, and that only where allowed.
bool isSafeUtf8(std::string_view text, bool lineFeeds)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if ((lead < 0x20 && !(lineFeeds && lead == '\n')) || lead == 0x7F)
                return false;
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        // C1 controls (U+0080 to U+009F) would reach the terminal as well.
        if (lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            return false;
        i += length;
    }
    return true;
}

} // namespace

// Any bytes as a class file, and as its name: check's report never carries a
// byte that a terminal or a JSON reader would take as a control.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto table = std::make_unique<ClassTable>();
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    CheckReport report(bytes.substr(0, 40));
    ReadClassBytes(*table, bytes, &report);
    std::vector<std::string> objects;
    report.appendJson(objects);
    if (!isSafeUtf8(report.text(), true))
        std::abort();
    for (const std::string &object : objects) {
        if (!isSafeUtf8(object, false))
            std::abort();
    }
    return 0;
}
