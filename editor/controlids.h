#pragma once

// Template ids of the editor window's controls, and menu ids of its commands,
// that the program and its tests name.

namespace ControlId {
enum : int {
    Quit = 1,
    WriteOut = 2,
    HiddenScrollBar = 1001,
    StatusLine = 1002,
    LoadConfig = 1003,
    NextClass = 1004,
    PrevClass = 1005,
    AddClass = 1006,
    ClassName = 1010,
    Resistance = 1030,
    KevlarVest = 1032,
    Helmet = 1034,
    ConfigFile = 1040,
    Speed = 1048,
    Jump = 1049,
    UnderwaterAir = 1050,
    Health = 1051,
    Calculate = 1054,
    CalculateResult = 1055,
    Cal45Mag = 1065,
    PistolMag = 1067,
    ItemList = 1063,
    Amount = 1064,
    SaveToMemory = 1076,
    ShowInventory = 1107,
    AddItem = 1108,
    StartingWeaponList = 1110,
};
}

namespace CommandId {
enum : int {
    LoadConfig = 40004,
    WriteOut = 40005,
    AddClass = 40008,
    NextClass = 40009,
    PreviousClass = 40010,
    FirstClass = 40011,
    LastClass = 40012,
    ChangeActiveConfig = 40013,
    OpenFolder = 40014,
    RecentFolders = 40015, // the submenu
};
}
