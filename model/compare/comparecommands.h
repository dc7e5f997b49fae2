#pragma once

#include "patchnotes.h"
#include "teamviews.h"

#include "model/session/editorsession.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

class ClassTableEditing;

// The views that set classes side by side, as the session sees them. Texts
// are UTF-8.
class CompareView
{
public:
    // Two classes of either team side by side, any two of classes (labelled
    // as lists show them), left and right picked at first. rows sets two of
    // them side by side and labels names the classes, both as they stand
    // when asked, so that the view follows each command; note says why the
    // other team's classes are missing, if they are.
    struct TwoClasses
    {
        std::vector<std::string> classes;
        int left = 0;
        int right = 0;
        std::string note;
        std::function<std::vector<ComparisonRow>(int left, int right)> rows;
        std::function<std::vector<std::string>()> labels = {};
    };
    // Modal: the classes in memory against a baseline file, as patch notes;
    // save asks where and saves them in a format.
    struct BaselineView
    {
        std::string heading; // what was compared, and the count of differences
        std::string note;    // classes matched in order for their shared names
        std::string text;
        std::string markdown;
        std::string bbcode;
        std::function<void(NotesFormat format)> save = {};

        const std::string &notes(NotesFormat format) const
        {
            return format == NotesFormat::Markdown ? markdown : format == NotesFormat::BBCode ? bbcode : text;
        }
    };
    // The chart window: one numeric value (of values, by the class table's
    // titles; keys: the same by the file's keys) across the classes of both
    // teams. chart draws the value of that index as the classes stand
    // now, and the window asks again after each command; save asks where and
    // saves the picture of the value of that index (PNG or SVG bytes).
    struct ChartView
    {
        enum class Picture : std::uint8_t { Png, Svg };
        std::vector<std::string> values;
        int chosen = 0;
        std::function<BarChart(int value)> chart;
        std::function<void(const std::string &bytes, int value, Picture picture)> save;
        std::vector<std::string> keys = {};
    };

    virtual ~CompareView() = default;
    virtual void showTwoClasses(const TwoClasses &classes) = 0;
    virtual void showBaseline(const BaselineView &baseline) = 0;
    virtual void showChart(const ChartView &chart) = 0;
};

// Compare Two Classes, Compare with File (the classes in memory against a
// baseline file, as patch notes, which the class table marks) and the chart
// of one value across the classes of both teams, which follows the table's
// filter.
class CompareCommands
{
public:
    CompareCommands(EditorSession &session, const ClassTableEditing &table, CompareView &view)
        : session(session), table(table), view(view)
    {
    }

    // At first the form's class and its namesake in the other team.
    void compareTwoClasses();
    // From the table: two rows side by side, or one beside its namesake of
    // the other team, to pick another from.
    void compareRows(std::span<const int> rows);
    // Asks for a baseline file and shows the classes in memory against it,
    // as patch notes.
    void compareWithFile();
    // Asks for a folder (the unmodded game, say) and takes both teams'
    // class files there as their baselines in one step; shows the classes in
    // memory against theirs. A file that cannot be read is named, and its
    // team's baseline stays.
    void compareWithFolder();
    void showChart();

private:
    // left and right: rows of the table (see TableRows); nullopt: the form's
    // class, and its namesake in the other team.
    void compareClassesAt(std::optional<int> left, std::optional<int> right);
    std::vector<ClassRecord> classesToWrite() const;
    // The classes of both teams, the form's team first; members point into
    // ours and other.
    struct BothTeams
    {
        std::vector<ClassRecord> ours;
        ClassesOnDisk other;
        std::vector<TeamClass> members;
    };
    std::shared_ptr<const BothTeams> bothTeamsNow() const;
    // The patch notes of the classes in memory against their team's baseline.
    void showBaselineNotes();
    // Saves bytes where the user chooses, after asking with choice; the
    // status line says where, what names what was saved ("Patch notes").
    void saveChosenFile(const Questions::FileChoice &choice, std::string_view bytes, const std::string &what);
    // Each team's baseline is kept with the active team's document, which
    // stays while the other team's comes and goes.
    TeamDocument &baselines() { return *session.documentOf(0); }

    EditorSession &session;
    const ClassTableEditing &table;
    CompareView &view;
    // The value the chart showed last.
    int chartValue = -1;
};

} // namespace tolvane
