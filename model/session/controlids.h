#pragma once

// The boxes that show class values have their ids with their rows.
#include "formbindings.h"

namespace tolvane {

// Template ids of the editor window's other controls, by which the program,
// its dialog template and its tests name them.

namespace ControlId {
enum : int {
    Quit = 1,
    Ok = 1, // the about box's button: the dialog's OK, as "&Quit" is the editor's
    WriteOut = 2,
    About = 3,
    HiddenScrollBar = 1001,
    StatusLine = 1002,
    LoadConfig = 1003,
    NextClass = 1004,
    PrevClass = 1005,
    AddClass = 1006,
    DeleteClass = 1007,
    ConfigFileLabel = 1039,
    Calculate = 1054,
    CalculateResult = 1055,
    SaveToMemory = 1076,

    // Armour.
    HelmetLabel = 1035,
    KevlarVestLabel = 1037,
    TrousersLabel = 1038,
    ArmorPicture = 1056,

    // The greyed-out ammunition box, which shows no class value.
    Gren40mm = 1075,

    // Inventory.
    ItemList = 1063,
    Amount = 1064,
    ShowInventory = 1107,
    AddItem = 1108,
    TitlePicture = 1111,
};
}

} // namespace tolvane
