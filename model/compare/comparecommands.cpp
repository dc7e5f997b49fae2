#include "comparecommands.h"

#include "model/session/writeflow.h"
#include "model/table/classtableediting.h"

#include "classdata/compare/classcompare.h"
#include "classdata/compare/classdiff.h"
#include "classdata/format/classfilereader.h"
#include "classdata/compare/classmatch.h"
#include "model/compare/patchnotes.h"
#include "model/review/valuewords.h"

#include <algorithm>
#include <memory>

namespace tolvane {

namespace {

constexpr const char *classFileTypes = "Class files (*.cfg);;All files (*)";

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

std::shared_ptr<const CompareCommands::BothTeams> CompareCommands::bothTeamsNow() const
{
    auto both = std::make_shared<BothTeams>(BothTeams{classesToWrite(), otherTeamClasses(session), {}});
    both->members = teamClasses(both->ours, session.document().team());
    for (const TeamClass &member : teamClasses(both->other.classes, otherTeam(session.document().team())))
        both->members.push_back(member);
    return both;
}

void CompareCommands::compareClassesAt(std::optional<int> left, std::optional<int> right)
{
    const std::shared_ptr<const BothTeams> both = bothTeamsNow();
    const std::vector<TeamClass> &members = both->members;

    CompareView::TwoClasses two;
    two.note = both->other.problem;
    for (const TeamClass &member : members)
        two.classes.push_back(teamClassLabel(member));
    const int count = int(both->ours.size());
    const auto member = [&](int row) {
        // The form's team first, whichever team's rows come first in the table.
        const bool ours = isOtherTeamRow(row) == (session.formDocument() == 1);
        const int position = isOtherTeamRow(row) ? row - otherTeamRows : row;
        const int at = ours ? position : count + position;
        return std::clamp(at, 0, int(members.size()) - 1);
    };
    two.left = left ? member(*left) : std::clamp(session.document().state().currentIndex, 0, count - 1);
    two.right = count > 1 ? (two.left + 1) % count : two.left;
    for (const ClassPair &pair : matchClasses(both->ours, both->other.classes).pairs) {
        if (pair.first == two.left && pair.second >= 0)
            two.right = count + pair.second;
        else if (two.left >= count && pair.second == two.left - count && pair.first >= 0)
            two.right = pair.first;
    }
    if (right)
        two.right = member(*right);
    // The classes as they stand when asked: the view follows each command.
    two.rows = [this](int left, int right) {
        const std::shared_ptr<const BothTeams> now = bothTeamsNow();
        if (now->members.empty())
            return std::vector<ComparisonRow>();
        const auto at = [&](int index) {
            return *now->members[std::size_t(std::clamp(index, 0, int(now->members.size()) - 1))].record;
        };
        return comparisonRows(at(left), at(right));
    };
    two.labels = [this] {
        std::vector<std::string> labels;
        const std::shared_ptr<const BothTeams> now = bothTeamsNow();
        for (const TeamClass &member : now->members)
            labels.push_back(teamClassLabel(member));
        return labels;
    };
    view.showTwoClasses(two);
}

void CompareCommands::compareWithFile()
{
    const std::optional<std::filesystem::path> chosen = session.questions().chooseFile(
        {"Compare with File",
         baselines().baseline(session.document().team()) ? baselines().baseline(session.document().team())->file
                                                         : session.folder().path(),
         classFileTypes});
    if (!chosen)
        return;
    ClassesOnDisk read = readClassesOnDisk(*chosen, "The file");
    if (!read.problem.empty()) {
        session.questions().tell(
            {Questions::Icon::Warning, "Compare with File",
             read.problem
                 + (baselines().baseline(session.document().team())
                        ? "\nThe classes are still compared with "
                              + displayText(baselines().baseline(session.document().team())->file) + '.'
                        : std::string())});
        return;
    }
    baselines().setBaseline(session.document().team(), std::move(read));
    session.refreshIndicators(session.formView().form()); // the table marks what differs from it
    showBaselineNotes();
}

void CompareCommands::compareWithFolder()
{
    TeamDocument &document = baselines();
    const Team ours = session.document().team();
    const std::optional<std::filesystem::path> chosen = session.questions().chooseFolder(
        document.baseline(ours) ? document.baseline(ours)->file.parent_path() : session.folder().path(),
        "Compare with Folder");
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
    if (document.baseline(ours))
        showBaselineNotes();
}

void CompareCommands::showBaselineNotes()
{
    const Team team = session.document().team();
    const ClassesOnDisk &baseline = *baselines().baseline(team);
    const std::vector<ClassRecord> ours = classesToWrite();
    const ClassDifferences differences = diffClasses(baseline.classes, ours);
    std::vector<NotesSection> sections{{std::string(teamName(team)), baseline.classes, ours}};
    std::string heading = "The " + std::string(teamName(team)) + "' classes in memory against "
                          + displayText(baseline.file) + ": " + countText(differences);
    // The other team's classes against their own baseline, else against
    // their file beside this one when that is a team's file of an earlier
    // release.
    const ClassesOnDisk theirs = otherTeamClasses(session);
    std::optional<ClassesOnDisk> theirsBefore = baselines().baseline(otherTeam(team));
    if (!theirsBefore && theirs.problem.empty())
        theirsBefore = fileBeside(baseline.file, team, theirs.file);
    if (!theirs.problem.empty())
        theirsBefore.reset();
    if (theirsBefore) {
        sections.push_back({std::string(teamName(otherTeam(team))), theirsBefore->classes, theirs.classes});
        heading += "; the " + std::string(teamName(otherTeam(team))) + "' class file against "
                   + displayText(theirsBefore->file) + ": "
                   + countText(diffClasses(theirsBefore->classes, theirs.classes));
    }
    CompareView::BaselineView shown{heading, repeatedNamesNote(differences.match, "in the file", "in memory"),
                                    utf8Of(patchNotes(sections, NotesFormat::Text)),
                                    utf8Of(patchNotes(sections, NotesFormat::Markdown)),
                                    utf8Of(patchNotes(sections, NotesFormat::BBCode))};
    shown.save = [this, shown](NotesFormat format) {
        constexpr std::pair<std::string_view, std::string_view> files[] = {
            {"patch-notes.txt", "Text files (*.txt);;All files (*)"},
            {"patch-notes.md", "Markdown (*.md);;All files (*)"},
            {"patch-notes-bbcode.txt", "BBCode for forums (*.txt);;All files (*)"}};
        const auto &[name, types] = files[int(format)];
        saveChosenFile({"Save Patch Notes", session.folder().file(name), std::string(types), true}, shown.notes(format),
                       "Patch notes");
    };
    view.showBaseline(shown);
}

void CompareCommands::showChart()
{
    const std::vector<ClassValue> values = numericValues();
    CompareView::ChartView chart;
    for (const ClassValue &value : values) {
        chart.values.push_back(utf8Of(columnTitle(value)));
        chart.keys.push_back(utf8Of(valueKey(value)));
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
            const int row = member.team == session.documentOf(0)->team() ? member.position
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
    chart.save = [this](const std::string &bytes, int value, CompareView::ChartView::Picture picture) {
        const bool svg = picture == CompareView::ChartView::Picture::Svg;
        // A picture too large to be drawn comes as no bytes: an empty file
        // saved as the chart would be a failure reported as success.
        if (bytes.empty()) {
            session.questions().tell({Questions::Icon::Warning, "Save Chart",
                                      "The chart could not be drawn at the size chosen; nothing was written.\n"
                                      "Choose a smaller size."});
            return;
        }
        const std::string name = "chart-" + fileNamePart(columnTitle(numericValues().at(std::size_t(value))))
                                 + (svg ? ".svg" : ".png");
        saveChosenFile(
            {"Save Chart", session.folder().file(name), svg ? "SVG images (*.svg)" : "PNG images (*.png)", true}, bytes,
            "Chart");
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
