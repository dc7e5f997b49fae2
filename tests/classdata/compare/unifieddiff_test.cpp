#include "classdata/compare/unifieddiff.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace tolvane;

namespace {

std::string numbered(int from, int to)
{
    std::string out;
    for (int i = from; i <= to; ++i)
        out += "line " + std::to_string(i) + "\n";
    return out;
}

// The same hunks as diff -u, where the system has one to ask.
TEST(UnifiedDiff, MatchesDiffU)
{
    const std::string ten = numbered(1, 10), twenty = numbered(1, 20);
    const std::pair<std::string, std::string> rows[] = {
        // clang-format off
        {"", ""}, {"a\n", "a\n"}, {"a\n", "b\n"}, {"", "a\nb\n"}, {"a\nb\n", ""}, {ten, "new\n" + ten},
        {ten, numbered(1, 9)}, {ten, numbered(1, 4) + "four and a half\n" + numbered(5, 10)},
        {twenty, numbered(1, 2) + "x\n" + numbered(4, 17) + "y\n" + numbered(19, 20)}, // two hunks
        {twenty, numbered(1, 5) + "x\n" + numbered(7, 11) + "y\n" + numbered(13, 20)}, // one: 5 lines between
        {"a\nb", "a\nb\n"}, {"a\r\nb\r\n", "a\nb\r\n"},
        {"// old\n{\nspeed 2\n}\n", "// new\n\n{\nclassname ?\nspeed 2.000000\n}\n\n"},
        {"x\ny\nz\nx\ny\nz\n", "y\nz\nx\nq\nx\ny\n"},
        // clang-format on
    };
    const std::string folder = testing::TempDir();
    const bool haveDiff = std::system("diff -u /dev/null /dev/null >/dev/null 2>&1") == 0;
    for (const auto &[oldBytes, newBytes] : rows) {
        const std::string ours = unifiedDiff(oldBytes, newBytes, "old.cfg", "new.cfg");
        if (oldBytes == newBytes) {
            EXPECT_EQ(ours, "");
        }
        if (!haveDiff)
            continue;
        std::ofstream(folder + "diff-old", std::ios::binary) << oldBytes;
        std::ofstream(folder + "diff-new", std::ios::binary) << newBytes;
        std::system(("diff -u --label old.cfg --label new.cfg " + folder + "diff-old " + folder + "diff-new >" + folder
                     + "diff-out")
                        .c_str());
        EXPECT_EQ(ours, fileBytes(folder + "diff-out")) << oldBytes << "\n=>\n" << newBytes;
    }
}

} // namespace
