#pragma once

#include "model/compare/comparecommands.h"
#include "model/files/backupsandrecovery.h"
#include "model/session/classlistcommands.h"
#include "model/session/editorsession.h"
#include "model/session/foldercommands.h"
#include "model/session/inventorycommands.h"
#include "model/session/reviewcommands.h"
#include "model/sheets/sheetcommands.h"
#include "model/table/classtableediting.h"

namespace tolvane {

// The windows the parts of the editing session talk to.
struct PartWindows
{
    ClassPicker &classPicker;
    InventoryView &inventory;
    TableView &table;
    CompareView &compare;
    SheetView &sheets;
    VersionChooser &versions;
};

// Every part of an editing session, each with its window, as the editor
// window has them. Made before the session starts, so that the parts that
// follow the classes hear of the start.
struct SessionParts
{
    SessionParts(EditorSession &session, const PartWindows &windows, const ProgramPlaces &places = {})
        : folders(session, places), classList(session, windows.classPicker), inventory(session, windows.inventory),
          review(session), table(session, windows.table), compare(session, table, windows.compare),
          sheets(session, windows.sheets), recovery(session, windows.versions)
    {
    }

    FolderCommands folders;
    ClassListCommands classList;
    InventoryCommands inventory;
    ReviewCommands review;
    ClassTableEditing table;
    CompareCommands compare;
    SheetCommands sheets;
    BackupsAndRecovery recovery;
};

} // namespace tolvane
