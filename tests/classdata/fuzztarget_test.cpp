// The fuzz target's checks (the reader never fails; the fixed layout reads
// back as written; the updating writer gives back the file it was not told to
// change and reads back as the edited classes, so that it finds every block
// where the reader does) over the samples and inputs made from them, for a
// few seconds of every test run. libFuzzer explores further: see fuzz/.

#include "testclasses.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

using namespace std::literals;

TEST(FuzzTarget, ChecksHoldForTheSamplesAndInputsMadeFromThem)
{
    const std::vector<std::string> seeds = {
        fileBytes(TOLVANE_EXAMPLES "/tvclass_seals.cfg"),
        fileBytes(TOLVANE_EXAMPLES "/tvclass_tangos.cfg"),
        fileBytes(TOLVANE_TEST_DATA "/default_class.cfg"),
        "{\r\nclassname a\r\n}\n\n{\nkeys x\r\r\n}\r",
        "\n\n{\nclassname a\0junk\ninventory weapon_knife 2\n}\n{\n}\n{"s,
        blocks(66),
        oddFiles().back(),
    };
    ASSERT_FALSE(seeds[0].empty());
    fuzzFromSeeds(seeds, 26, 3, "fuzztarget-input", LLVMFuzzerTestOneInput);
}

} // namespace
