// What the status line shows on its one line, and the messages its tooltip
// keeps.

#include "model/session/statushistory.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tolvane;

namespace {

TEST(StatusHistory, AMessageShowsOnOneLine)
{
    const std::pair<const char *, const char *> rows[] = {
        {"3 Config Classes Read", "3 Config Classes Read"},
        {"The Tangos' file is active.\nWrite Out writes it.",
         "The Tangos' file is active. \u00B7 Write Out writes it."},
        {"first\r\n\r\nsecond\n", "first \u00B7 second"},
        {"\nlead\tand tab", "lead and tab"},
        {"", ""},
    };
    for (const auto &[message, shown] : rows)
        EXPECT_EQ(oneLine(message), shown) << message;
}

// Messages separated by "|"; "" clears the status line.
TEST(StatusHistory, KeepsTheLatestMessagesOnceEach)
{
    const std::pair<const char *, const char *> rows[] = {
        // clang-format off
        {"a", "a"}, {"a|b", "b\n\nEarlier:\na"}, {"a|b|a", "a\n\nEarlier:\nb"},
        {"a|b|c|d|e|f|g", "g\n\nEarlier:\nf\ne\nd\nc"}, {"a|two\nlines|c", "c\n\nEarlier:\ntwo \u00B7 lines\na"},
        {"a|b|", "Earlier:\nb\na"}, {"a||b", "b\n\nEarlier:\na"}, {"", ""},
        // clang-format on
    };
    for (const auto &[messages, text] : rows) {
        StatusHistory history;
        std::istringstream each(messages);
        for (std::string message; std::getline(each, message, '|');)
            history.add(message);
        if (std::string_view(messages).ends_with('|') || !*messages)
            history.add("");
        EXPECT_EQ(history.text(), text) << messages;
        EXPECT_LE(history.messages().size(), StatusHistory::kept);
    }
}

} // namespace
