#include "unifieddiff.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace tolvane {

namespace {

using Lines = std::vector<std::string_view>;

constexpr std::ptrdiff_t contextLines = 3;

// Each line with its LF; the last one may lack it.
Lines splitLines(std::string_view bytes)
{
    Lines lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::size_t length = lf == std::string_view::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

// The shortest edit script between two sequences of line numbers (equal
// lines, equal numbers), found by Myers' algorithm in linear space: which
// old lines go and which new lines come.
class LineDiffer
{
public:
    LineDiffer(std::vector<int> a, std::vector<int> b)
        : a(std::move(a)), b(std::move(b)), removed(this->a.size()), added(this->b.size())
    {
        compare(0, std::ptrdiff_t(this->a.size()), 0, std::ptrdiff_t(this->b.size()));
    }

    const std::vector<bool> &removedLines() const { return removed; }
    const std::vector<bool> &addedLines() const { return added; }

private:
    void compare(std::ptrdiff_t aLow, std::ptrdiff_t aHigh, std::ptrdiff_t bLow, std::ptrdiff_t bHigh);
    bool split(std::ptrdiff_t aLow, std::ptrdiff_t aHigh, std::ptrdiff_t bLow, std::ptrdiff_t bHigh);

    std::vector<int> a, b;
    std::vector<bool> removed, added;
};

void LineDiffer::compare(std::ptrdiff_t aLow, std::ptrdiff_t aHigh, std::ptrdiff_t bLow, std::ptrdiff_t bHigh)
{
    while (aLow < aHigh && bLow < bHigh && a[std::size_t(aLow)] == b[std::size_t(bLow)])
        ++aLow, ++bLow;
    while (aLow < aHigh && bLow < bHigh && a[std::size_t(aHigh - 1)] == b[std::size_t(bHigh - 1)])
        --aHigh, --bHigh;
    if (aLow < aHigh && bLow < bHigh && split(aLow, aHigh, bLow, bHigh))
        return;
    std::fill(removed.begin() + aLow, removed.begin() + aHigh, true);
    std::fill(added.begin() + bLow, added.begin() + bHigh, true);
}

// Finds where the forward and the backward search meet and compares the two
// halves; false when the ranges have no line in common.
bool LineDiffer::split(std::ptrdiff_t aLow, std::ptrdiff_t aHigh, std::ptrdiff_t bLow, std::ptrdiff_t bHigh)
{
    const std::ptrdiff_t n = aHigh - aLow, m = bHigh - bLow;
    const auto oldAt = [&](std::ptrdiff_t i) { return a[std::size_t(aLow + i)]; };
    const auto newAt = [&](std::ptrdiff_t i) { return b[std::size_t(bLow + i)]; };
    const std::ptrdiff_t maxD = (n + m + 1) / 2, offset = maxD, delta = n - m;
    const bool front = delta % 2 != 0;
    std::vector<std::ptrdiff_t> forward(std::size_t(2 * maxD + 2), -1), backward(forward);
    forward[std::size_t(offset + 1)] = 0;
    backward[std::size_t(offset + 1)] = 0;
    std::ptrdiff_t k1start = 0, k1end = 0, k2start = 0, k2end = 0;
    const auto halves = [&](std::ptrdiff_t x, std::ptrdiff_t y) {
        compare(aLow, aLow + x, bLow, bLow + y);
        compare(aLow + x, aHigh, bLow + y, bHigh);
        return true;
    };
    for (std::ptrdiff_t d = 0; d < maxD; ++d) {
        for (std::ptrdiff_t k = -d + k1start; k <= d - k1end; k += 2) {
            const std::size_t at = std::size_t(offset + k);
            std::ptrdiff_t x = (k == -d || (k != d && forward[at - 1] < forward[at + 1])) ? forward[at + 1]
                                                                                          : forward[at - 1] + 1;
            std::ptrdiff_t y = x - k;
            while (x < n && y < m && oldAt(x) == newAt(y))
                ++x, ++y;
            forward[at] = x;
            if (x > n) {
                k1end += 2;
            } else if (y > m) {
                k1start += 2;
            } else if (front) {
                const std::ptrdiff_t other = offset + delta - k;
                if (other >= 0 && other < std::ptrdiff_t(backward.size()) && backward[std::size_t(other)] != -1
                    && x >= n - backward[std::size_t(other)])
                    return halves(x, y);
            }
        }
        for (std::ptrdiff_t k = -d + k2start; k <= d - k2end; k += 2) {
            const std::size_t at = std::size_t(offset + k);
            std::ptrdiff_t x = (k == -d || (k != d && backward[at - 1] < backward[at + 1])) ? backward[at + 1]
                                                                                            : backward[at - 1] + 1;
            std::ptrdiff_t y = x - k;
            while (x < n && y < m && oldAt(n - x - 1) == newAt(m - y - 1))
                ++x, ++y;
            backward[at] = x;
            if (x > n) {
                k2end += 2;
            } else if (y > m) {
                k2start += 2;
            } else if (!front) {
                const std::ptrdiff_t other = offset + delta - k;
                if (other >= 0 && other < std::ptrdiff_t(forward.size()) && forward[std::size_t(other)] != -1) {
                    const std::ptrdiff_t x1 = forward[std::size_t(other)];
                    if (x1 >= n - x)
                        return halves(x1, offset + x1 - other);
                }
            }
        }
    }
    return false;
}

// One line of the diff: its mark, then the line, then the marker for a
// missing LF.
void appendLine(std::string &out, char mark, std::string_view line)
{
    out += mark;
    out.append(line);
    if (!line.ends_with('\n'))
        out.append("\n\\ No newline at end of file\n");
}

// "START,COUNT" as a hunk header has it: START alone for one line, the line
// before for none.
std::string range(std::ptrdiff_t first, std::ptrdiff_t count)
{
    if (count == 1)
        return std::to_string(first + 1);
    return std::to_string(count == 0 ? first : first + 1) + ',' + std::to_string(count);
}

struct Step
{
    char mark;           // ' ', '-' or '+'
    std::ptrdiff_t a, b; // the old and the new line before which it stands
};

} // namespace

std::string unifiedDiff(std::string_view oldBytes, std::string_view newBytes, std::string_view oldName,
                        std::string_view newName)
{
    const Lines oldLines = splitLines(oldBytes), newLines = splitLines(newBytes);
    std::unordered_map<std::string_view, int> numbers;
    const auto numbered = [&numbers](const Lines &lines) {
        std::vector<int> out;
        out.reserve(lines.size());
        for (std::string_view line : lines)
            out.push_back(numbers.try_emplace(line, int(numbers.size())).first->second);
        return out;
    };
    std::vector<int> oldNumbers = numbered(oldLines);
    const LineDiffer differ(std::move(oldNumbers), numbered(newLines));

    std::vector<Step> steps;
    for (std::ptrdiff_t i = 0, j = 0; i < std::ptrdiff_t(oldLines.size()) || j < std::ptrdiff_t(newLines.size());) {
        const char mark = i < std::ptrdiff_t(oldLines.size()) && differ.removedLines()[std::size_t(i)] ? '-'
                          : j < std::ptrdiff_t(newLines.size()) && differ.addedLines()[std::size_t(j)] ? '+'
                                                                                                       : ' ';
        steps.push_back({mark, i, j});
        i += mark != '+';
        j += mark != '-';
    }

    std::string out;
    const auto size = std::ptrdiff_t(steps.size());
    for (std::ptrdiff_t at = 0; at < size;) {
        while (at < size && steps[std::size_t(at)].mark == ' ')
            ++at;
        if (at == size)
            break;
        // A hunk runs on while the next change is no more than two contexts away.
        const std::ptrdiff_t first = std::max<std::ptrdiff_t>(0, at - contextLines);
        std::ptrdiff_t last = at, gap = 0;
        for (std::ptrdiff_t k = at; k < size && gap <= 2 * contextLines; ++k) {
            gap = steps[std::size_t(k)].mark == ' ' ? gap + 1 : 0;
            if (gap == 0)
                last = k;
        }
        const std::ptrdiff_t end = std::min(size, last + 1 + contextLines);
        std::ptrdiff_t oldCount = 0, newCount = 0;
        for (std::ptrdiff_t k = first; k < end; ++k) {
            oldCount += steps[std::size_t(k)].mark != '+';
            newCount += steps[std::size_t(k)].mark != '-';
        }
        if (out.empty())
            out.append("--- ").append(oldName).append("\n+++ ").append(newName).append("\n");
        out.append("@@ -" + range(steps[std::size_t(first)].a, oldCount) + " +"
                   + range(steps[std::size_t(first)].b, newCount) + " @@\n");
        for (std::ptrdiff_t k = first; k < end; ++k) {
            const Step &step = steps[std::size_t(k)];
            appendLine(out, step.mark,
                       step.mark == '+' ? newLines[std::size_t(step.b)] : oldLines[std::size_t(step.a)]);
        }
        at = end;
    }
    return out;
}

} // namespace tolvane
