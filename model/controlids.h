#pragma once

// Template ids of the editor window's controls, and menu ids of its commands,
// that the program and its tests name. The dialog template places them.

namespace ControlId {
enum : int {
    Quit = 1,
    WriteOut = 2,
    About = 3,
    HiddenScrollBar = 1001,
    StatusLine = 1002,
    LoadConfig = 1003,
    NextClass = 1004,
    PrevClass = 1005,
    AddClass = 1006,
    DeleteClass = 1007,
    ClassName = 1010,
    ConfigFile = 1040,
    Calculate = 1054,
    CalculateResult = 1055,
    SaveToMemory = 1076,

    // Class abilities and game-mode flags.
    Scanner = 1012,
    KnifeThrow = 1013,
    LaserGuidedRockets = 1014,
    ThrowCaltrops = 1015,
    At4Scope = 1016,
    PlaceSentries = 1017,
    PlaceHealthDepot = 1018,
    PlaceAmmoDepot = 1019,
    PlaceDetpack = 1020,
    CanDisguise = 1021,
    CanFeignDeath = 1022,
    HasNightVision = 1023,
    CanUseTurrets = 1024,
    SniperAutozoom = 1025,
    SniperScope = 1026,
    SniperLaserSight = 1027,
    CanHealOthers = 1028,
    DisarmDetpack = 1029,
    CanBeAssassin = 1058,
    CanBeBodyguard = 1059,
    CanBeHunted = 1060,
    CanBeVip = 1061,

    // Armour, health and movement.
    Resistance = 1030,
    KevlarVest = 1032,
    Trousers = 1033,
    Helmet = 1034,
    Speed = 1048,
    Jump = 1049,
    UnderwaterAir = 1050,
    Health = 1051,
    MaxHealth = 1052,

    // Maximum ammunition.
    Cal45Mag = 1065,
    Shells = 1066,
    PistolMag = 1067,
    Bullets357 = 1068,
    Rockets = 1069,
    Cells = 1070,
    Mag9mm = 1071,
    ArMag = 1072,
    Bb762 = 1073,
    Cal308Mag = 1074,
    Gren40mm = 1075,
    Grenades = 1079,

    // Inventory and starting weapon.
    ItemList = 1063,
    Amount = 1064,
    ShowInventory = 1107,
    AddItem = 1108,
    StartingWeaponList = 1110,
};
}

namespace CommandId {
enum : int {
    About = 40002,
    Help = 40003,
    LoadConfig = 40004,
    WriteOut = 40005,
    Quit = 40007,
    AddClass = 40008,
    NextClass = 40009,
    PreviousClass = 40010,
    FirstClass = 40011,
    LastClass = 40012,
    ChangeActiveConfig = 40013,
    OpenFolder = 40014,
    RecentFolders = 40015, // the submenu
    Undo = 40016,
    Redo = 40017,
    DeleteClass = 40018,
    DuplicateClass = 40019,
    MoveClassUp = 40020,
    MoveClassDown = 40021,
    GoToClass = 40022,
    ShowInventory = 40023,
    Problems = 40030,
    ReviewChanges = 40031,
    RestorePreviousVersion = 40032,
    ClassTable = 40033,
    FilterClasses = 40034,
    AboutQt = 40040,
};
}
