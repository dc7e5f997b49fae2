#include "boxtyping.h"

#include <algorithm>

namespace tolvane {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool digitsBoxTakes(std::string_view typed)
{
    return std::ranges::all_of(typed, isDigit);
}

std::string typedIntoDigitsBox(std::string_view shown, std::string_view text)
{
    if (text == shown)
        return std::string(text);
    std::string kept = shown.starts_with('-') && text.starts_with('-') ? "-" : "";
    std::ranges::copy_if(text, std::back_inserter(kept), isDigit);
    return kept;
}

} // namespace tolvane
