#include "statushistory.h"

#include <algorithm>

namespace tolvane {

void StatusHistory::add(std::string_view message)
{
    std::erase_if(latest, [message](const std::string &kept) { return kept.empty() || kept == message; });
    latest.emplace_front(message);
    if (latest.size() > kept)
        latest.resize(kept);
}

std::string StatusHistory::text() const
{
    if (latest.empty())
        return {};
    std::string text = latest.front();
    if (latest.size() > 1) {
        text += text.empty() ? "Earlier:" : "\n\nEarlier:";
        for (auto earlier = latest.begin() + 1; earlier != latest.end(); ++earlier)
            text += "\n" + oneLine(*earlier);
    }
    return text;
}

std::string oneLine(std::string_view message)
{
    std::string line;
    bool broken = false;
    for (char c : message) {
        if (c == '\n' || c == '\r') {
            broken = !line.empty();
            continue;
        }
        if (broken)
            line += " \u00B7 ";
        broken = false;
        line += c == '\t' ? ' ' : c;
    }
    return line;
}

} // namespace tolvane
