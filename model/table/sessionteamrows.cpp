#include "model/session/editorsession.h"

// The other team's classes beside the classes in memory in the class table,
// and the marks of a baseline on the values that differ from it.

namespace tolvane {

TableRows EditorSession::tableClasses() const
{
    TableRows rows{&state(), classesTeam()};
    if (otherShown)
        rows.other = otherShown->classes;
    if (baselineShown)
        rows.baseline = &*baselineShown;
    return rows;
}

void EditorSession::showOtherTeam(bool on)
{
    otherShown.reset();
    roster.select({});
    if (on) {
        ClassesOnDisk read = otherTeamClasses();
        if (!read.problem.empty()) {
            view.tell({EditorView::Icon::Warning, "Show Other Team",
                       read.problem + "\nThe class table shows the " + std::string(teamName(classesTeam()))
                           + "' classes alone."});
        } else {
            otherShown = std::move(read);
            otherShownTeam = otherTeam(classesTeam());
        }
    }
    refreshIndicators();
}

// After a load or a team switch, the other team's file is another one.
void EditorSession::followTableClasses(const FormValues &form)
{
    if (otherShown && otherShownTeam != otherTeam(classesTeam())) {
        ClassesOnDisk read = otherTeamClasses();
        otherShown.reset();
        roster.select({});
        if (read.problem.empty()) {
            otherShown = std::move(read);
            otherShownTeam = otherTeam(classesTeam());
        } else {
            view.setStatus(read.problem);
        }
    }
    if (baseline)
        baselineShown = tableBaseline(baseline->classes, classesToWrite(&form));
    else
        baselineShown.reset();
}

void EditorSession::compareTableRows(std::span<const int> rows)
{
    if (rows.empty())
        compareClassesAt(std::nullopt, std::nullopt);
    else if (rows.size() == 1)
        compareClassesAt(rows[0], std::nullopt);
    else
        compareClassesAt(rows[0], rows[1]);
}

} // namespace tolvane
