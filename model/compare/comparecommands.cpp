#include "comparecommands.h"

#include "model/session/writeflow.h"
#include "model/table/classtableediting.h"

#include "classdata/compare/classcompare.h"
#include "classdata/compare/classdiff.h"
#include "classdata/format/classfilereader.h"
#include "classdata/compare/classmatch.h"

#include <algorithm>
#include <memory>

namespace tolvane {

namespace {

constexpr const char *classFileTypes = "Class files (*.cfg);;All files (*)";

// A file name of letters, digits and dashes for name: "inventory Grenades"
// gives "inventory-Grenades".
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

} // namespace
std::vector<ClassRecord> CompareCommands::classesToWrite() const
{
    const FormValues form = session.formView().form();
    return session.document().classesWith(&form);
}

void CompareCommands::compareRows(std::span<const int> rows)
{
    if (rows.empty())
        compareClassesAt(std::nullopt, std::nullopt);
    else if (rows.size() == 1)
        compareClassesAt(rows[0], std::nullopt);
    else
        compareClassesAt(rows[0], rows[1]);
}

// The classes of both teams in one list, the classes in memory first, each
// list taking the classes it shows along.
void CompareCommands::compareTwoClasses()
{
    compareClassesAt(std::nullopt, std::nullopt);
}

void CompareCommands::compareClassesAt(std::optional<int> left, std::optional<int> right)
{
    const auto ours = std::make_shared<const std::vector<ClassRecord>>(classesToWrite());
    const auto other = std::make_shared<const ClassesOnDisk>(table.otherTeamShown() ? *table.otherTeamShown()
                                                                                    : otherTeamClasses(session));
    std::vector<TeamClass> members = teamClasses(*ours, session.document().team());
    for (const TeamClass &member : teamClasses(other->classes, otherTeam(session.document().team())))
        members.push_back(member);

    CompareView::TwoClasses two;
    two.note = other->problem;
    for (const TeamClass &member : members)
        two.classes.push_back(teamClassLabel(member));
    const int count = int(ours->size());
    const auto member = [&](int row) {
        const int at = isOtherTeamRow(row) ? count + row - otherTeamRows : row;
        return std::clamp(at, 0, int(members.size()) - 1);
    };
    two.left = left ? member(*left) : std::clamp(session.document().state().currentIndex, 0, count - 1);
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

void CompareCommands::compareWithFile()
{
    const std::optional<std::filesystem::path> chosen = session.questions().chooseFile(
        {"Compare with File",
         session.document().baseline() ? session.document().baseline()->file : session.folder().path(),
         classFileTypes});
    if (!chosen)
        return;
    ClassesOnDisk read = readClassesOnDisk(*chosen, "The file");
    if (!read.problem.empty()) {
        session.questions().tell(
            {Questions::Icon::Warning, "Compare with File",
             read.problem
                 + (session.document().baseline() ? "\nThe classes are still compared with "
                                                        + displayText(session.document().baseline()->file) + '.'
                                                  : std::string())});
        return;
    }
    session.document().setBaseline(session.document().team(), std::move(read));
    session.refreshIndicators(session.formView().form()); // the table marks what differs from it
    showBaselineNotes();
}

void CompareCommands::compareWithFolder()
{
    TeamDocument &document = session.document();
    const std::optional<std::filesystem::path> chosen = session.questions().chooseFolder(
        document.baseline() ? document.baseline()->file.parent_path() : session.folder().path(), "Compare with Folder");
    if (!chosen)
        return;
    std::string problems;
    bool taken = false;
    for (const Team team : {Team::Seals, Team::Tangos}) {
        const std::string whose = "The " + std::string(teamName(team)) + "' class file";
        ClassesOnDisk read = readClassesOnDisk(*chosen / classFileName(sealsFlag(team)), whose);
        if (!read.problem.empty()) {
            const std::optional<ClassesOnDisk> &kept = document.baseline(team);
            problems += read.problem
                        + (kept ? " The " + std::string(teamName(team)) + "' classes are still compared with "
                                      + displayText(kept->file) + '.'
                                : std::string())
                        + '\n';
            continue;
        }
        document.setBaseline(team, std::move(read));
        taken = true;
    }
    if (!problems.empty())
        session.questions().tell({Questions::Icon::Warning, "Compare with Folder", problems});
    if (!taken)
        return;
    session.refreshIndicators(session.formView().form()); // the table marks what differs from them
    if (document.baseline())
        showBaselineNotes();
}

void CompareCommands::showBaselineNotes()
{
    const ClassesOnDisk &baseline = *session.document().baseline();
    const std::vector<ClassRecord> ours = classesToWrite();
    const ClassDifferences differences = diffClasses(baseline.classes, ours);
    const std::string text = utf8Of(patchNotes(differences, NotesFormat::Text));
    const std::string markdown = utf8Of(patchNotes(differences, NotesFormat::Markdown));
    view.showBaseline(
        {"The " + std::string(teamName(session.document().team())) + "' classes in memory against "
             + displayText(baseline.file) + ": " + countText(differences),
         repeatedNamesNote(differences.match, "in the file", "in memory"), text, markdown,
         [this, text, markdown](bool asMarkdown) {
             saveChosenFile({"Save Patch Notes",
                             session.folder().file(asMarkdown ? "patch-notes.md" : "patch-notes.txt"),
                             asMarkdown ? "Markdown (*.md);;All files (*)" : "Text files (*.txt);;All files (*)", true},
                            asMarkdown ? markdown : text, "Patch notes");
         }});
}

void CompareCommands::showChart()
{
    const std::vector<ClassValue> values = numericValues();
    CompareView::ChartView chart;
    for (const ClassValue &value : values) {
        chart.values.push_back(utf8Of(valueName(value)));
        if (chartValue < 0 && value.kind == ClassValue::Kind::Field && value.field->key == "health")
            chartValue = int(chart.values.size()) - 1;
    }
    chart.chosen = chartValue;
    chart.chart = [this](int value) {
        chartValue = value;
        const std::vector<ClassRecord> ours = classesToWrite();
        const ClassesOnDisk other = otherTeamClasses(session);
        std::vector<TeamClass> members = teamClasses(ours, session.document().team());
        for (const TeamClass &member : teamClasses(other.classes, otherTeam(session.document().team())))
            members.push_back(member);
        // The classes the table's filter leaves, of both teams.
        const TableRows rows = table.rows();
        std::erase_if(members, [&](const TeamClass &member) {
            const int row = member.team == session.document().team() ? member.position
                                                                     : otherTeamRows + member.position;
            return !table.roster().filter().matches(*member.record, rows.facts(row));
        });
        BarChart bars = barChart(numericValues().at(std::size_t(value)), members);
        bars.note = other.problem;
        if (!table.roster().filter().empty())
            bars.note += (bars.note.empty() ? "" : " ")
                         + ("The classes the table's filter leaves: " + utf8Of(table.roster().filterText()));
        return bars;
    };
    chart.save = [this](const std::string &png, int value) {
        const std::string name = "chart-" + fileNamePart(valueName(numericValues().at(std::size_t(value)))) + ".png";
        saveChosenFile({"Save Chart", session.folder().file(name), "PNG images (*.png)", true}, png, "Chart");
    };
    view.showChart(chart);
}

// Saves only where the user says, and never over a class file: a patch note
// or a picture in place of the classes would lose them.
void CompareCommands::saveChosenFile(const Questions::FileChoice &choice, std::string_view bytes,
                                     const std::string &what)
{
    const std::optional<std::filesystem::path> path = session.questions().chooseFile(choice);
    if (!path)
        return;
    const FileBytes there = readWholeFile(*path);
    const ClassFileKind kind = there.status == FileStatus::Read ? classFileKind(*path, there.bytes)
                                                                : ClassFileKind::NoClassBlock;
    if (kind == ClassFileKind::ClassFile || kind == ClassFileKind::SettingsFile) {
        session.questions().tell({Questions::Icon::Warning, choice.title,
                                  displayText(*path)
                                      + " holds classes or settings of the game, which this would replace.\n"
                                      + "Nothing was written; choose another file."});
        return;
    }
    SaveError error;
    if (!saveFileAtomically(*path, bytes, &error)) {
        warnNotWritten(session.questions(), *path, error);
        return;
    }
    session.formView().setStatus(what + " saved to " + displayText(*path));
}

} // namespace tolvane
