// The rules fuzz target's checks (the reader never fails, its errors and the
// broken rules are safe text with a place) over the README's example and
// inputs made from it, for a few seconds of every test run. libFuzzer
// explores further: see fuzz/.

#include "../../classdata/testclasses.h"

#include <gtest/gtest.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

// The example of the README's rules file.
std::string readmeExample()
{
    const std::string readme = fileBytes(TOLVANE_EXAMPLES "/../README.md");
    std::string example;
    const std::size_t start = readme.find("    # tvcc-rules.toml"), end = readme.find("\n- A range holds", start);
    for (std::size_t at = start; at < end;) {
        const std::size_t line = readme.find('\n', at);
        example += readme.substr(std::min(at + 4, line), line + 1 - std::min(at + 4, line));
        at = line + 1;
    }
    return example;
}

TEST(RulesFuzzTarget, ChecksHoldForTheExampleAndInputsMadeFromIt)
{
    const std::vector<std::string> seeds = {
        readmeExample(),
        "[balance]\neach_team_has = [\"carries Grenades and not health < 100\"]\nsame_class_count = true\n",
        "[tangos]\nrelations = [\"inventory Cells >= max_cells\", \"speed != 1\"]\n[check]\nignore = [\"TCC001\"]\n",
    };
    ASSERT_NE(seeds[0].find("[balance]"), std::string::npos);
    fuzzFromSeeds(seeds, 43, 2, "rulesfuzz-input", LLVMFuzzerTestOneInput);
}

} // namespace
