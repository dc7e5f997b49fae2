#include "classfilereader.h"
#include "classfilewriter.h"
#include "settings.h"
#include "textnumbers.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

class CountingObserver final : public ReadObserver
{
public:
    void found(const ReadFinding &) override { ++count; }
    int count = 0;
};

// The integer reader agrees with strtoll clamped to 32 bits, so that a wrong
// sign or a wrong saturation cannot hide behind a round trip.
void checkIntegers(std::string_view bytes)
{
    const std::string text(bytes.substr(0, 64));
    const long long reference = std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10), INT32_MIN, INT32_MAX);
    if (parseInt(text) != reference)
        std::abort();
}

} // namespace

// Any bytes read as a class file: the reader never fails; normalizing gives a
// file that reads back without findings to as many classes and that a second
// normalizing leaves as it is, with either line end. The settings reader
// takes the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto table = std::make_unique<ClassTable>();
    static auto reread = std::make_unique<ClassTable>();
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    ReadClassBytes(*table, bytes);
    const std::int32_t count = table->classCount;
    for (std::string_view lineEnd : {"\n", "\r\n"}) {
        const std::string written = ClassFileBytes(*table, lineEnd);
        CountingObserver findings;
        ReadClassBytes(*reread, written, &findings);
        if (findings.count != 0 || reread->classCount != count || NormalizedClassFile(written) != written)
            std::abort();
    }
    const std::string normalized = NormalizedClassFile(bytes);
    if (NormalizedClassFile(normalized) != normalized)
        std::abort();
    checkIntegers(bytes);

    std::int32_t sealsActive = 1;
    ReadSettingsBytes(bytes, sealsActive);
    if (sealsActive != 0 && sealsActive != 1)
        std::abort();
    return 0;
}
