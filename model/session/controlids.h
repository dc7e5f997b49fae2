#pragma once

namespace tolvane {

// Template ids of the editor window's controls, by which the program, its
// dialog template and its tests name them.

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
    ClassName = 1010,
    ConfigFileLabel = 1039,
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
    HelmetLabel = 1035,
    KevlarVestLabel = 1037,
    TrousersLabel = 1038,
    ArmorPicture = 1056,
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
    TitlePicture = 1111,
};
}

} // namespace tolvane
