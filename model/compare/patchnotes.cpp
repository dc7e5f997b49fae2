#include "patchnotes.h"

#include "classdata/compare/classcompare.h"
#include "classdata/compare/classdiff.h"
#include "classdata/text/asciitext.h"
#include "model/review/valuewords.h"
#include "model/table/tablecolumns.h"

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

constexpr std::string_view nothingDiffers = "No class differs.\n";

// How a format marks up the parts of a note.
struct Markup
{
    std::string_view headingBefore = "", headingAfter = "\n"; // a team's heading, a line of its own
    bool underlined = false;                                  // the heading underlined with '='
    std::string_view groupBefore = "", groupAfter = "\n";     // "Changed", "Added", "Removed"
    std::string_view listOpen = "", listClose = "";
    std::string_view item = "- ", innerItem = "  - ";
    std::string_view boldBefore = "", boldAfter = "";
    TextEscape escape = nullptr;
};

const Markup &markupOf(NotesFormat format)
{
    static const Markup text{.underlined = true};
    static const Markup markdown{.headingBefore = "## ",
                                 .groupBefore = "### ",
                                 .groupAfter = "\n\n",
                                 .boldBefore = "**",
                                 .boldAfter = "**",
                                 .escape = markdownEscaped};
    static const Markup bbcode{.headingBefore = "[b][u]",
                               .headingAfter = "[/u][/b]\n",
                               .groupBefore = "[b]",
                               .groupAfter = "[/b]\n",
                               .listOpen = "[list]\n",
                               .listClose = "[/list]\n",
                               .item = "[*]",
                               .innerItem = "[*]",
                               .boldBefore = "[b]",
                               .boldAfter = "[/b]"};
    return format == NotesFormat::Markdown ? markdown : format == NotesFormat::BBCode ? bbcode : text;
}

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

bool isTextField(const ClassValue &value)
{
    return value.kind == ClassValue::Kind::Field && value.field->kind == FieldKind::Text;
}

bool isNumberField(const ClassValue &value)
{
    return value.kind == ClassValue::Kind::Field
           && (value.field->kind == FieldKind::Int || value.field->kind == FieldKind::Float);
}

// One side of a value as a modder writes it: numbers without trailing
// zeros, the resistance by its entry's name, the texts typed in (name,
// config file) in quotes. shown is the value as valueChanges shows it.
std::string sideText(const ClassValue &value, const ClassRecord &record, const std::optional<std::string> &shown)
{
    if (const std::optional<double> number = numberOf(value, record))
        return shortNumber(*number, 6);
    const int column = columnOfValue(value);
    const ColumnKind kind = column < 0 ? ColumnKind::Tick : tableColumns()[std::size_t(column)].kind;
    if (kind == ColumnKind::Resistance) {
        const std::string entry = cellText(tableColumns()[std::size_t(column)], record);
        if (!entry.empty())
            return entry;
    }
    return describeSide(shown, kind == ColumnKind::Text);
}

// In the order of the class table's columns.
template <typename Item>
void inColumnOrder(std::vector<Item> &items, const ClassValue &(*valueOf)(const Item &))
{
    const auto place = [&](const Item &item) {
        const int column = columnOfValue(valueOf(item));
        return column < 0 ? int(tableColumns().size()) : column;
    };
    std::stable_sort(items.begin(), items.end(), [&](const Item &a, const Item &b) { return place(a) < place(b); });
}

// The values of a class that is new: every value but its name and its empty
// texts; the abilities it has and the items it carries, by their names.
std::string classValues(const ClassRecord &record, TextEscape escape)
{
    std::vector<ClassValue> values = valuesOf(record, record, ValueNaming::AsForm);
    inColumnOrder<ClassValue>(values, [](const ClassValue &value) -> const ClassValue & { return value; });
    std::string out;
    for (const ClassValue &value : values) {
        const std::optional<std::string> shown = shownValue(value, record, ValueNaming::AsForm);
        if ((value.kind == ClassValue::Kind::Field && value.field->key == "classname")
            || (isTextField(value) && shown.value_or("").empty())
            || (value.kind == ClassValue::Kind::Ability && shown == "no"))
            continue;
        std::string part = columnTitle(value);
        if (value.kind != ClassValue::Kind::Ability)
            part += ' ' + sideText(value, record, shown);
        out.append(out.empty() ? "" : ", ").append(escape ? escape(part) : part);
    }
    return out;
}

class NotesWriter
{
public:
    explicit NotesWriter(const Markup &markup) : markup(markup) {}

    void section(const NotesSection &section)
    {
        out.append(out.empty() ? "" : "\n");
        const std::string heading = escaped(section.heading);
        out.append(markup.headingBefore).append(heading).append(markup.headingAfter);
        if (markup.underlined)
            out.append(heading.size(), '=').append("\n");
        out.append("\n");
        const ClassDifferences differences = diffClasses(section.before, section.after);
        if (differences.same()) {
            out.append(nothingDiffers);
            return;
        }
        firstGroup = true;
        if (!differences.changed.empty()) {
            group("Changed");
            for (const ChangedClass &changed : differences.changed)
                changedClass(changed, section);
            out.append(markup.listClose);
        }
        if (!differences.added.empty()) {
            group("Added");
            for (const ListedClass &added : differences.added)
                item(added.name, classValues(section.after[std::size_t(added.position)], markup.escape));
            out.append(markup.listClose);
        }
        if (!differences.removed.empty()) {
            group("Removed");
            for (const ListedClass &removed : differences.removed)
                item(removed.name, {});
            out.append(markup.listClose);
        }
    }

    std::string notes() const { return out; }

private:
    std::string escaped(std::string_view text) const { return markup.escape ? markup.escape(text) : std::string(text); }
    void group(std::string_view title)
    {
        out.append(firstGroup ? "" : "\n").append(markup.groupBefore).append(title).append(markup.groupAfter);
        out.append(markup.listOpen);
        firstGroup = false;
    }
    // "- **Medic**: Health 90, ...", "- **Scout**"
    void item(std::string_view name, std::string_view values)
    {
        out.append(markup.item).append(markup.boldBefore).append(escaped(name)).append(markup.boldAfter);
        if (!values.empty())
            out.append(": ").append(values);
        out.append("\n");
    }
    void changedClass(const ChangedClass &changed, const NotesSection &section)
    {
        item(changed.name, {});
        const ClassRecord &before = section.before[std::size_t(changed.pair.first)];
        const ClassRecord &after = section.after[std::size_t(changed.pair.second)];
        std::vector<ValueChange> changes = changed.changes;
        inColumnOrder<ValueChange>(changes,
                                   [](const ValueChange &change) -> const ClassValue & { return change.value; });
        out.append(markup.listOpen);
        for (const ValueChange &change : changes)
            out.append(markup.innerItem).append(changeNote(change, before, after, markup.escape)).append("\n");
        out.append(markup.listClose);
    }

    const Markup &markup;
    std::string out;
    bool firstGroup = true;
};

} // namespace

std::string patchNotes(std::span<const NotesSection> sections, NotesFormat format)
{
    NotesWriter writer(markupOf(format));
    for (const NotesSection &section : sections)
        writer.section(section);
    return writer.notes();
}

std::string changeNote(const ValueChange &change, const ClassRecord &before, const ClassRecord &after,
                       TextEscape escape)
{
    const auto shown = [escape](const std::string &text) { return escape ? escape(text) : text; };
    std::string note = shown(columnTitle(change.value)) + ' ' + shown(sideText(change.value, before, change.before))
                       + " -> " + shown(sideText(change.value, after, change.after));
    const std::optional<double> old = numberOf(change.value, before), now = numberOf(change.value, after);
    const std::string percent = isNumberField(change.value) && old && now ? percentChange(*old, *now) : "";
    return percent.empty() ? note : note + " (" + percent + ')';
}

std::string percentChange(double before, double after)
{
    if (before == 0 || !std::isfinite(before) || !std::isfinite(after))
        return {};
    const std::string percent = shortNumber((after - before) / std::abs(before) * 100, 1);
    if (percent == "0")
        return {};
    return (percent.front() == '-' ? "" : "+") + percent + '%';
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
