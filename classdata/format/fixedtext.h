#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tolvane {

// A text field of fixed capacity, as the class file keeps it: bytes, no
// terminator, longer texts cut to the capacity. The bytes live in a string,
// not in a buffer of the full capacity: a table of 64 classes with two
// 1023-byte fields each would hold 130 KiB of mostly unused space.
template <std::size_t Capacity>
class FixedText
{
public:
    static constexpr std::size_t capacity = Capacity;

    FixedText() = default;
    FixedText(std::string_view text) { assign(text); }

    void assign(std::string_view text) { chars.assign(text.data(), std::min(text.size(), Capacity)); }
    void clear() { chars.clear(); }

    std::string_view view() const { return chars; }
    bool empty() const { return chars.empty(); }
    std::size_t size() const { return chars.size(); }

    friend bool operator==(const FixedText &a, const FixedText &b) { return a.chars == b.chars; }
    friend bool operator==(const FixedText &a, std::string_view b) { return a.view() == b; }

private:
    std::string chars;
};

} // namespace tolvane
