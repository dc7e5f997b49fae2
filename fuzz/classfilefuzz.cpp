#include "classfilereader.h"
#include "classfilewriter.h"
#include "settings.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

class CountingObserver final : public ReadObserver
{
public:
    void found(const ReadFinding &) override { ++count; }
    int count = 0;
};

} // namespace

// Any bytes read as a class file: the reader never fails, and what the writer
// makes of the result is a fixed point that reads back without findings.
// (CR LF line ends, which keep a text that ends in CR.) The settings reader
// takes the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto table = std::make_unique<ClassTable>();
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    CountingObserver ignored;
    ReadClassFile(*table, bytes, &ignored);
    const std::string written = ClassFileBytes(*table, "\r\n");

    CountingObserver findings;
    ReadClassFile(*table, written, &findings);
    if (findings.count != 0 || ClassFileBytes(*table, "\r\n") != written)
        std::abort();

    std::int32_t sealsActive = 1;
    ReadSettings(bytes, sealsActive);
    if (sealsActive != 0 && sealsActive != 1)
        std::abort();
    return 0;
}
