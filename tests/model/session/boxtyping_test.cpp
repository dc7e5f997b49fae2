// What the keyboard puts into a digits box, which the form's boxes and the
// class table's cells take alike.

#include "model/session/boxtyping.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

TEST(BoxTyping, ADigitsBoxHoldsTheDigitsTyped)
{
    const std::tuple<const char *, const char *, const char *> rows[] = {
        // shown, typed, held
        {"20", "-5", "5"},  {"4", "7.9", "79"}, {"20", "12abc", "12"}, {"20", " +3 ", "3"}, {"20", "", ""},
        {"-5", "-5", "-5"}, {"-5", "-7", "-7"}, {"-5", "7", "7"},      {"-5", "- 7", "-7"}, {"20", "\xD9\xA3", ""},
    };
    for (const auto &[shown, typed, held] : rows) {
        EXPECT_EQ(typedIntoDigitsBox(shown, typed), held) << shown << " " << typed;
        // Over a number without a sign, the keys the box takes are those it holds.
        if (*shown != '-') {
            EXPECT_EQ(digitsBoxTakes(typed), std::string_view(typed) == held) << typed;
        }
    }
}

} // namespace
