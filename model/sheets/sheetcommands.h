#pragma once

#include "model/session/editorsession.h"

#include <filesystem>
#include <string>

namespace tolvane {

// Where the user reviews what importing a sheet would change.
class SheetView
{
public:
    virtual ~SheetView() = default;
    // Modal: Review Changes of what importing sheetName would change, a
    // line per class; true when the user imports them.
    virtual bool confirmImport(const std::string &sheetName, const std::string &review) = 0;
};

// Export and Import Classes: the classes, with the form's values, to a sheet
// for spreadsheets and scripts; and the changes of a sheet, after Review
// Changes, as one step.
class SheetCommands
{
public:
    SheetCommands(EditorSession &session, SheetView &view) : session(session), view(view) {}

    void exportClasses();
    void importClasses();

private:
    // The sheet last picked in this run, else one named after the active
    // class file in the game folder.
    std::filesystem::path sheetToSuggest() const;

    EditorSession &session;
    SheetView &view;
    std::filesystem::path lastSheet;
};

} // namespace tolvane
