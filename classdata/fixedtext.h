#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

// A text field of fixed capacity, as the class file keeps it: bytes, no
// terminator, longer texts cut to the capacity. Never allocates.
template <std::size_t Capacity>
class FixedText
{
public:
    static constexpr std::size_t capacity = Capacity;

    FixedText() = default;
    FixedText(std::string_view text) { assign(text); }

    void assign(std::string_view text)
    {
        length = std::min(text.size(), Capacity);
        std::copy_n(text.data(), length, chars.data());
    }
    void clear() { length = 0; }

    std::string_view view() const { return {chars.data(), length}; }
    bool empty() const { return length == 0; }
    std::size_t size() const { return length; }

    friend bool operator==(const FixedText &a, const FixedText &b) { return a.view() == b.view(); }
    friend bool operator==(const FixedText &a, std::string_view b) { return a.view() == b; }

private:
    std::array<char, Capacity> chars{};
    std::size_t length = 0;
};
