#include "classfilewriter.h"
#include "testclasses.h"

#include <gtest/gtest.h>

namespace {

std::string sample(std::string_view name)
{
    return fileBytes(TOLVANE_EXAMPLES "/" + std::string(name));
}

TEST(ClassFileRoundTrip, GeneratedTablesReadBackAsWrittenAndClean)
{
    std::mt19937 random(20240611);
    auto table = std::make_unique<ClassTable>();
    for (int run = 0; run < 40; ++run) {
        fillRandomTable(*table, random);
        FindingCounter findings;
        expectSameClasses(*table, *readTable(ClassFileBytes(*table, run % 2 ? "\r\n" : "\n"), &findings));
        EXPECT_EQ(findings.count, 0);
        ASSERT_FALSE(HasFailure()) << "run " << run;
    }
}

// Random byte changes to the samples, with either line end. Whatever the
// reader makes of them, normalizing gives a file that reads back clean to the
// same number of classes and that a second normalizing leaves as it is.
TEST(ClassFileRoundTrip, MutatedSamplesNormalizeToACleanFixedPoint)
{
    const std::string samples[] = {sample("tvclass_seals.cfg"), sample("tvclass_tangos.cfg")};
    constexpr char telling[] = {'{', '}', '\n', '\r', '\0', ' ', '/', '9', '-', '.', 'e'};
    std::mt19937 random(7);
    auto pick = [&](std::size_t high) { return std::uniform_int_distribution<std::size_t>(0, high)(random); };
    for (int run = 0; run < 3000; ++run) {
        std::string bytes = samples[run % 2];
        if (run % 4 >= 2)
            bytes = ClassFileBytes(*readTable(bytes), "\r\n");
        for (std::size_t edits = 1 + pick(7); edits > 0 && !bytes.empty(); --edits) {
            const std::size_t at = pick(bytes.size() - 1);
            const char byte = pick(1) ? telling[pick(std::size(telling) - 1)] : char(pick(255));
            switch (pick(2)) {
            case 0: bytes[at] = byte; break;
            case 1: bytes.insert(at, 1, byte); break;
            default: bytes.erase(at, 1 + pick(40)); break;
            }
        }
        const std::string normalized = NormalizedClassFile(bytes);
        FindingCounter findings;
        EXPECT_EQ(readTable(normalized, &findings)->classCount, readTable(bytes)->classCount);
        EXPECT_EQ(findings.count, 0);
        EXPECT_EQ(NormalizedClassFile(normalized), normalized);
        ASSERT_FALSE(HasFailure()) << "run " << run;
    }
}

} // namespace
