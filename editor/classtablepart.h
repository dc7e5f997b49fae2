#pragma once

#include "model/table/classtableediting.h"

#include <QPointer>

class ClassTableWindow;
class CompareWindows;
class CreatorDialog;

// The class table window beside the editor window: opened and closed from
// the View menu, following the classes as the session shows them.
class ClassTablePart : public tolvane::TableView
{
public:
    ClassTablePart(CreatorDialog &dialog, CompareWindows &compare) : dialog(dialog), compareWindows(compare) {}

    void showClassTable(const std::string &status) override;

    void open();
    // Opened beside the form, or closed when it is the active window.
    void toggle();
    // Opened with the focus in its filter bar.
    void filterClasses();
    // Show Other Team: checked while the class table shows the other team.
    void toggleOtherTeam();
    // Copy to Other Team, and the table open to show the copies.
    void copyToOtherTeam();
    ClassTableWindow *window() const;

private:
    CreatorDialog &dialog;
    CompareWindows &compareWindows;
    QPointer<ClassTableWindow> tableWindow;
};
