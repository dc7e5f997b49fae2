#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace tolvane {

// The messages of the status line, newest first: the one shown and a few
// before it, each once, at its latest place. Text is UTF-8.
class StatusHistory
{
public:
    static constexpr std::size_t kept = 5;

    // An empty message clears the status line: nothing is shown, the
    // earlier messages stay.
    void add(std::string_view message);
    const std::deque<std::string> &messages() const { return latest; }
    // The message shown, whole, and the earlier ones a line each:
    // "Changed: ...\n\nEarlier:\n3 Config Classes Read".
    std::string text() const;

private:
    std::deque<std::string> latest;
};

// A message as one line: its line breaks, with the blank lines between
// them, become " · ".
std::string oneLine(std::string_view message);

} // namespace tolvane
