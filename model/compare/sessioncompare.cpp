#include "model/session/editorsession.h"

#include "classdata/compare/classcompare.h"
#include "classdata/compare/classdiff.h"
#include "classdata/format/classfilereader.h"
#include "classdata/compare/classmatch.h"
#include "model/compare/patchnotes.h"
#include "model/table/tablecolumns.h"

#include <algorithm>
#include <memory>

namespace tolvane {

namespace {

constexpr const char *classFileTypes = "Class files (*.cfg);;All files (*)";

std::string classFileOf(Team team)
{
    return "The " + std::string(teamName(team)) + "' class file";
}

// A file name of letters, digits and dashes for name: "Class Speed" gives
// "Class-Speed".
std::string fileNamePart(std::string_view name)
{
    std::string part;
    for (char c : name) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (plain || (!part.empty() && part.back() != '-'))
            part += plain ? c : '-';
    }
    while (!part.empty() && part.back() == '-')
        part.pop_back();
    return part;
}

// The class file of team's other team beside file, read, where file is
// team's class file and the other is not now's (the other team's file now);
// nullopt for none.
std::optional<ClassesOnDisk> fileBeside(const std::filesystem::path &file, Team team, const std::filesystem::path &now)
{
    if (file.filename() != classFileName(sealsFlag(team)))
        return std::nullopt;
    const std::filesystem::path beside = file.parent_path() / classFileName(sealsFlag(otherTeam(team)));
    std::error_code unknown;
    if (std::filesystem::equivalent(beside, now, unknown))
        return std::nullopt;
    ClassesOnDisk read = readClassesOnDisk(beside, "The file");
    return read.problem.empty() ? std::optional(std::move(read)) : std::nullopt;
}

} // namespace

Team EditorSession::classesTeam() const
{
    const std::filesystem::path &from = changes.classesFile();
    if (from.empty())
        return teamOf(state().sealsActive);
    return from.filename() == classFileName(1) ? Team::Seals : Team::Tangos;
}

std::string EditorSession::placeText() const
{
    const Team active = teamOf(state().sealsActive);
    std::string team(teamName(active));
    if (classesTeam() != active)
        team += " (the " + std::string(teamName(classesTeam())) + "' classes in memory)";
    return team + " \u00B7 " + displayText(gameFolder.name());
}

ClassesOnDisk EditorSession::otherTeamClasses() const
{
    const Team other = otherTeam(classesTeam());
    const std::filesystem::path file = gameFolder.file(classFileName(sealsFlag(other)));
    if (file.empty())
        return {{}, {}, classFileOf(other) + " cannot be found: the game folder cannot be found."};
    return readClassesOnDisk(file, classFileOf(other));
}

// The classes of both teams in one list, the classes in memory first, each
// list taking the classes it shows along.
void EditorSession::compareTwoClasses()
{
    compareClassesAt(std::nullopt, std::nullopt);
}

void EditorSession::compareClassesAt(std::optional<int> left, std::optional<int> right)
{
    const auto ours = std::make_shared<const std::vector<ClassRecord>>(classesToWrite());
    const auto other = std::make_shared<const ClassesOnDisk>(otherShown ? *otherShown : otherTeamClasses());
    std::vector<TeamClass> members = teamClasses(*ours, classesTeam());
    for (const TeamClass &member : teamClasses(other->classes, otherTeam(classesTeam())))
        members.push_back(member);

    EditorView::TwoClasses two;
    two.note = other->problem;
    for (const TeamClass &member : members)
        two.classes.push_back(teamClassLabel(member));
    const int count = int(ours->size());
    const auto member = [&](int row) {
        const int at = isOtherTeamRow(row) ? count + row - otherTeamRows : row;
        return std::clamp(at, 0, int(members.size()) - 1);
    };
    two.left = left ? member(*left) : std::clamp(state().currentIndex, 0, count - 1);
    two.right = count > 1 ? (two.left + 1) % count : two.left;
    for (const ClassPair &pair : matchClasses(*ours, other->classes).pairs) {
        if (pair.first == two.left && pair.second >= 0)
            two.right = count + pair.second;
        else if (two.left >= count && pair.second == two.left - count && pair.first >= 0)
            two.right = pair.first;
    }
    if (right)
        two.right = member(*right);
    two.rows = [members, ours, other](int left, int right) {
        return comparisonRows(*members.at(std::size_t(left)).record, *members.at(std::size_t(right)).record);
    };
    view.showTwoClasses(two);
}

void EditorSession::compareWithFile()
{
    const std::optional<std::filesystem::path> chosen = view.chooseFile(
        {"Compare with File", baseline ? baseline->file : gameFolder.path(), classFileTypes});
    if (!chosen)
        return;
    ClassesOnDisk read = readClassesOnDisk(*chosen, "The file");
    if (!read.problem.empty()) {
        view.tell({EditorView::Icon::Warning, "Compare with File",
                   read.problem
                       + (baseline ? "\nThe classes are still compared with " + displayText(baseline->file) + '.'
                                   : std::string())});
        return;
    }
    baseline = std::move(read);
    refreshIndicators(); // the table marks what differs from it

    const Team team = classesTeam();
    const std::vector<ClassRecord> ours = classesToWrite();
    const ClassDifferences differences = diffClasses(baseline->classes, ours);
    std::vector<NotesSection> sections{{std::string(teamName(team)), baseline->classes, ours}};
    std::string heading = "The " + std::string(teamName(team)) + "' classes in memory against "
                          + displayText(baseline->file) + ": " + countText(differences);
    // A baseline that is a team's file of an earlier release: the other
    // team's file beside it is set against that team's file now.
    const ClassesOnDisk theirs = otherTeamClasses();
    const std::optional<ClassesOnDisk> theirsBefore = theirs.problem.empty()
                                                          ? fileBeside(baseline->file, team, theirs.file)
                                                          : std::nullopt;
    if (theirsBefore) {
        sections.push_back({std::string(teamName(otherTeam(team))), theirsBefore->classes, theirs.classes});
        heading += "; the " + std::string(teamName(otherTeam(team))) + "' class file against "
                   + displayText(theirsBefore->file) + ": "
                   + countText(diffClasses(theirsBefore->classes, theirs.classes));
    }
    EditorView::BaselineView shown{heading, repeatedNamesNote(differences.match, "in the file", "in memory"),
                                   utf8Of(patchNotes(sections, NotesFormat::Text)),
                                   utf8Of(patchNotes(sections, NotesFormat::Markdown)),
                                   utf8Of(patchNotes(sections, NotesFormat::BBCode))};
    shown.save = [this, shown](NotesFormat format) {
        constexpr std::pair<std::string_view, std::string_view> files[] = {
            {"patch-notes.txt", "Text files (*.txt);;All files (*)"},
            {"patch-notes.md", "Markdown (*.md);;All files (*)"},
            {"patch-notes-bbcode.txt", "BBCode for forums (*.txt);;All files (*)"}};
        const auto &[name, types] = files[int(format)];
        saveChosenFile({"Save Patch Notes", gameFolder.file(name), std::string(types), true}, shown.notes(format),
                       "Patch notes");
    };
    view.showBaseline(shown);
}

void EditorSession::showChart()
{
    const std::vector<ClassValue> values = numericValues();
    EditorView::ChartView chart;
    for (const ClassValue &value : values) {
        chart.values.push_back(utf8Of(columnTitle(value)));
        if (chartValue < 0 && value.kind == ClassValue::Kind::Field && value.field->key == "health")
            chartValue = int(chart.values.size()) - 1;
    }
    chart.chosen = chartValue;
    chart.chart = [this](int value) {
        chartValue = value;
        const std::vector<ClassRecord> ours = classesToWrite();
        const ClassesOnDisk other = otherTeamClasses();
        std::vector<TeamClass> members = teamClasses(ours, classesTeam());
        for (const TeamClass &member : teamClasses(other.classes, otherTeam(classesTeam())))
            members.push_back(member);
        // The classes the table's filter leaves, of both teams.
        const TableRows rows = tableClasses();
        std::erase_if(members, [&](const TeamClass &member) {
            const int row = member.team == classesTeam() ? member.position : otherTeamRows + member.position;
            return !roster.filter().matches(*member.record, rows.facts(row));
        });
        BarChart bars = barChart(numericValues().at(std::size_t(value)), members);
        bars.note = other.problem;
        if (!roster.filter().empty())
            bars.note += (bars.note.empty() ? "" : " ")
                         + ("The classes the table's filter leaves: " + utf8Of(roster.filterText()));
        return bars;
    };
    chart.save = [this](const std::string &bytes, int value, EditorView::ChartView::Picture picture) {
        const bool svg = picture == EditorView::ChartView::Picture::Svg;
        const std::string name = "chart-" + fileNamePart(columnTitle(numericValues().at(std::size_t(value))))
                                 + (svg ? ".svg" : ".png");
        saveChosenFile({"Save Chart", gameFolder.file(name), svg ? "SVG images (*.svg)" : "PNG images (*.png)", true},
                       bytes, "Chart");
    };
    view.showChart(chart);
}

// Saves only where the user says, and never over a class file: a patch note
// or a picture in place of the classes would lose them.
void EditorSession::saveChosenFile(const EditorView::FileChoice &choice, std::string_view bytes,
                                   const std::string &what)
{
    const std::optional<std::filesystem::path> path = view.chooseFile(choice);
    if (!path)
        return;
    const FileBytes there = readWholeFile(*path);
    const ClassFileKind kind = there.status == FileStatus::Read ? classFileKind(*path, there.bytes)
                                                                : ClassFileKind::NoClassBlock;
    if (kind == ClassFileKind::ClassFile || kind == ClassFileKind::SettingsFile) {
        view.tell({EditorView::Icon::Warning, choice.title,
                   displayText(*path) + " holds classes or settings of the game, which this would replace.\n"
                       + "Nothing was written; choose another file."});
        return;
    }
    SaveError error;
    if (!saveFileAtomically(*path, bytes, &error)) {
        warnNotWritten(*path, error);
        return;
    }
    view.setStatus(what + " saved to " + displayText(*path));
}

} // namespace tolvane
