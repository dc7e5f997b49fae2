#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(ClassFileRoundTrip, GeneratedTablesReadBackAsWrittenAndClean)
{
    std::mt19937 random(20240611);
    auto table = std::make_unique<ClassTable>();
    for (int run = 0; run < 40; ++run) {
        fillRandomTable(*table, random);
        FindingCounter findings;
        expectSameClasses(*table, *readTable(classFileBytes(*table, run % 2 ? "\r\n" : "\n"), &findings));
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
    std::mt19937 random(7);
    for (int run = 0; run < 3000; ++run) {
        std::string bytes = samples[run % 2];
        if (run % 4 >= 2)
            bytes = classFileBytes(*readTable(bytes), "\r\n");
        mutate(bytes, random);
        const std::string normalized = normalizedClassFile(bytes);
        FindingCounter findings;
        EXPECT_EQ(readTable(normalized, &findings)->classCount, readTable(bytes)->classCount);
        EXPECT_EQ(findings.count, 0);
        EXPECT_EQ(normalizedClassFile(normalized), normalized);
        // Keeping notes, the file reads as before, and a second run keeps it.
        const std::string keepingNotes = normalizedKeepingNotes(bytes);
        EXPECT_EQ(normalizedClassFile(keepingNotes), normalized);
        EXPECT_EQ(normalizedKeepingNotes(keepingNotes), keepingNotes);
        ASSERT_FALSE(HasFailure()) << "run " << run;
    }
}

} // namespace
