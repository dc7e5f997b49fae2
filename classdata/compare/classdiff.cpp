#include "classdiff.h"

#include "classdata/text/asciitext.h"

namespace tolvane {

namespace {

constexpr std::string_view nothingDiffers = "No class differs.\n";

bool isAlphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (foldCase(c) >= 'a' && foldCase(c) <= 'z');
}

// Whether the & at text[at] begins what Markdown reads as an entity ("&amp;").
bool beginsEntity(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && (isAlphanumeric(text[end]) || text[end] == '#'))
        ++end;
    return end > at + 1 && end < text.size() && text[end] == ';';
}

std::string changeLine(const ChangedClass &changed, NotesFormat format)
{
    const bool markdown = format == NotesFormat::Markdown;
    std::string line = markdown ? "- **" + markdownEscaped(changed.name) + "**: " : changed.name + ": ";
    for (const ValueChange &change : changed.changes) {
        line.append(describeChange(change, markdown ? markdownEscaped : nullptr));
        line.append(&change == &changed.changes.back() ? "\n" : "; ");
    }
    return line;
}

void appendSection(std::string &out, std::string_view heading, const std::vector<ListedClass> &classes)
{
    if (classes.empty())
        return;
    out.append(out.empty() ? "" : "\n").append("### ").append(heading).append("\n\n");
    for (const ListedClass &listed : classes)
        out.append("- **").append(markdownEscaped(listed.name)).append("**\n");
}

} // namespace

ClassDifferences diffClasses(std::span<const ClassRecord> first, std::span<const ClassRecord> second)
{
    ClassDifferences differences{.match = matchClasses(first, second)};
    const auto listed = [](std::span<const ClassRecord> classes, int position) {
        return ListedClass{position, classLabel(classes[std::size_t(position)], std::size_t(position))};
    };
    for (const ClassPair &pair : differences.match.pairs) {
        if (pair.first < 0) {
            differences.added.push_back(listed(second, pair.second));
        } else if (pair.second < 0) {
            differences.removed.push_back(listed(first, pair.first));
        } else {
            const ClassRecord &now = second[std::size_t(pair.second)];
            std::vector<ValueChange> changes = valueChanges(first[std::size_t(pair.first)], now, ValueNaming::AsForm);
            if (changes.empty())
                ++differences.unchanged;
            else
                differences.changed.push_back({pair, listed(second, pair.second).name, std::move(changes)});
        }
    }
    return differences;
}

std::string countText(const ClassDifferences &differences)
{
    return std::to_string(differences.changed.size()) + " changed, " + std::to_string(differences.added.size())
           + " added, " + std::to_string(differences.removed.size()) + " removed, "
           + std::to_string(differences.unchanged) + " unchanged";
}

std::string patchNotes(const ClassDifferences &differences, NotesFormat format)
{
    if (differences.same())
        return std::string(nothingDiffers);
    std::string out;
    if (format == NotesFormat::Text) {
        for (const ChangedClass &changed : differences.changed)
            out.append(changeLine(changed, format));
        for (const ListedClass &added : differences.added)
            out.append("Added class ").append(added.name).append(1, '\n');
        for (const ListedClass &removed : differences.removed)
            out.append("Removed class ").append(removed.name).append(1, '\n');
        return out;
    }
    if (!differences.changed.empty()) {
        out.append("### Changed\n\n");
        for (const ChangedClass &changed : differences.changed)
            out.append(changeLine(changed, format));
    }
    appendSection(out, "Added", differences.added);
    appendSection(out, "Removed", differences.removed);
    return out;
}

std::string markdownEscaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // An underscore inside a word is no emphasis: "max_health" stays as it is.
        const bool inWord = c == '_' && i > 0 && i + 1 < text.size() && isAlphanumeric(text[i - 1])
                            && isAlphanumeric(text[i + 1]);
        const bool markup = std::string_view("\\`*_[]<>~|#!").find(c) != std::string_view::npos
                            || (c == '&' && beginsEntity(text, i));
        if (markup && !inWord)
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace tolvane
