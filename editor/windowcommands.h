#pragma once

#include "model/session/controlids.h"
#include "creatordialog.h"

#include <QKeySequence>
#include <QMessageBox>

// The editor window's commands, one row each: what runs it (a menu command
// of the menu bar, a push button or a list pick by the user, or both) and
// what it runs. The menu bar is built from these rows in their order.

// Menu ids of the window's commands, by which the program and its tests name them.
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
    ExportClasses = 40035,
    ImportClasses = 40036,
    AboutQt = 40040,
    CompareTwoClasses = 40041,
    CompareWithFile = 40042,
    Chart = 40043,
    CopySamples = 40044,
    CompareWithFolder = 40045,
    ShowOtherTeam = 0x8300,
    CopyToOtherTeam = 0x8301,
};
}

struct WindowCommand
{
    void (*run)(CreatorDialog &) = nullptr; // nullptr: a separator, or the submenu of its id
    const char *menu = nullptr;             // the menu it stands in; nullptr: none
    int id = 0;                             // its menu id
    const char *text = "";
    // Shortcuts, separated by "; ", or a standard key. They keep clear of
    // the keys the boxes and lists use.
    const char *keys = "";
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    int control = 0; // the push button or list that runs it too; 0: none
};

template <auto command>
constexpr void (*sessionCommand)(CreatorDialog &) = [](CreatorDialog &dialog) { (dialog.session().*command)(); };

template <auto part, auto command>
constexpr void (*partCommand)(CreatorDialog &) = [](CreatorDialog &dialog) { ((dialog.parts().*part).*command)(); };

template <tolvane::Move move>
constexpr void (*moveCommand)(CreatorDialog &) = [](CreatorDialog &dialog) { dialog.parts().classList.move(move); };

template <void (CreatorDialog::*command)()>
constexpr void (*windowCommand)(CreatorDialog &) = [](CreatorDialog &dialog) { (dialog.*command)(); };

// Menu 140, with the game folder's commands first and the Edit menu added,
// then the commands of controls alone. A command without a row does nothing.
inline constexpr WindowCommand windowCommands[] = {
    {partCommand<&tolvane::SessionParts::folders, &tolvane::FolderCommands::chooseFolder>, "&File",
     CommandId::OpenFolder, "Open &Folder...", "Ctrl+O"},
    {nullptr, "&File", CommandId::RecentFolders, "Recent Folders"},
    {partCommand<&tolvane::SessionParts::folders, &tolvane::FolderCommands::copySamples>, "&File",
     CommandId::CopySamples, "Cop&y Samples..."},
    {nullptr, "&File"},
    {sessionCommand<&tolvane::EditorSession::loadConfig>,
     "&File",
     CommandId::LoadConfig,
     "&Load Config",
     "Ctrl+L",
     {},
     tolvane::ControlId::LoadConfig},
    {sessionCommand<&tolvane::EditorSession::changeActiveConfig>, "&File", CommandId::ChangeActiveConfig,
     "&Change Active-Config"},
    {sessionCommand<&tolvane::EditorSession::writeOut>,
     "&File",
     CommandId::WriteOut,
     "&Write Out",
     "Ctrl+S",
     {},
     tolvane::ControlId::WriteOut},
    {[](CreatorDialog &d) { d.review().openReview(); }, "&File", CommandId::ReviewChanges, "Re&view Changes..."},
    {partCommand<&tolvane::SessionParts::compare, &tolvane::CompareCommands::compareWithFile>, "&File",
     CommandId::CompareWithFile, "Compare wit&h File..."},
    // Without an Alt letter: each of its letters leads elsewhere already.
    {partCommand<&tolvane::SessionParts::compare, &tolvane::CompareCommands::compareWithFolder>, "&File",
     CommandId::CompareWithFolder, "Compare with Folder..."},
    // Without an Alt letter: each of its letters leads elsewhere already.
    {partCommand<&tolvane::SessionParts::recovery, &tolvane::BackupsAndRecovery::restorePreviousVersion>, "&File",
     CommandId::RestorePreviousVersion, "Restore Previous Version..."},
    {[](CreatorDialog &d) { d.review().openProblems(); }, "&File", CommandId::Problems, "P&roblems...", "F8"},
    {nullptr, "&File"},
    // Without Alt letters: each of their letters leads elsewhere already.
    {partCommand<&tolvane::SessionParts::sheets, &tolvane::SheetCommands::exportClasses>, "&File",
     CommandId::ExportClasses, "Export Classes..."},
    {partCommand<&tolvane::SessionParts::sheets, &tolvane::SheetCommands::importClasses>, "&File",
     CommandId::ImportClasses, "Import Classes..."},
    {nullptr, "&File"},
    {windowCommand<&CreatorDialog::quit>, "&File", CommandId::Quit, "&Quit", "Ctrl+Q", {}, tolvane::ControlId::Quit},
    {[](CreatorDialog &d) { d.session().undo(); }, "E&dit", CommandId::Undo, "Un&do", "Ctrl+Z"},
    {[](CreatorDialog &d) { d.session().redo(); }, "E&dit", CommandId::Redo, "&Redo", "Ctrl+Y; Ctrl+Shift+Z"},
    {[](CreatorDialog &d) { d.table().toggle(); }, "&View", CommandId::ClassTable, "&Class Table", "Ctrl+T"},
    {[](CreatorDialog &d) { d.table().filterClasses(); }, "&View", CommandId::FilterClasses, "&Filter Classes...",
     "Ctrl+F"},
    {partCommand<&tolvane::SessionParts::compare, &tolvane::CompareCommands::showChart>, "&View", CommandId::Chart,
     "C&hart..."},
    {[](CreatorDialog &d) { d.table().toggleOtherTeam(); }, "&View", CommandId::ShowOtherTeam, "Show Othe&r Team",
     "Ctrl+Shift+T"},
    {partCommand<&tolvane::SessionParts::classList, &tolvane::ClassListCommands::addClass>,
     "Class",
     CommandId::AddClass,
     "Add Class",
     "Ctrl+N",
     {},
     tolvane::ControlId::AddClass},
    {partCommand<&tolvane::SessionParts::classList, &tolvane::ClassListCommands::duplicateClass>, "Class",
     CommandId::DuplicateClass, "Duplicate Class", "Ctrl+D"},
    {partCommand<&tolvane::SessionParts::classList, &tolvane::ClassListCommands::deleteClass>,
     "Class",
     CommandId::DeleteClass,
     "Delete Class",
     "Ctrl+Del",
     {},
     tolvane::ControlId::DeleteClass},
    {nullptr, "Class"},
    {partCommand<&tolvane::SessionParts::classList, &tolvane::ClassListCommands::moveClassUp>, "Class",
     CommandId::MoveClassUp, "Move Class Up", "Ctrl+Shift+Up"},
    {partCommand<&tolvane::SessionParts::classList, &tolvane::ClassListCommands::moveClassDown>, "Class",
     CommandId::MoveClassDown, "Move Class Down", "Ctrl+Shift+Down"},
    {nullptr, "Class"},
    {moveCommand<tolvane::Move::Next>, "Class", CommandId::NextClass, "Next Class", "", QKeySequence::Forward,
     tolvane::ControlId::NextClass},
    {moveCommand<tolvane::Move::Previous>, "Class", CommandId::PreviousClass, "Previous Class", "", QKeySequence::Back,
     tolvane::ControlId::PrevClass},
    {moveCommand<tolvane::Move::First>, "Class", CommandId::FirstClass, "First Class", "Alt+Home"},
    {moveCommand<tolvane::Move::Last>, "Class", CommandId::LastClass, "Last Class", "Alt+End"},
    {partCommand<&tolvane::SessionParts::classList, &tolvane::ClassListCommands::goToClass>, "Class",
     CommandId::GoToClass, "Go to Class...", "Ctrl+G"},
    {partCommand<&tolvane::SessionParts::compare, &tolvane::CompareCommands::compareTwoClasses>, "Class",
     CommandId::CompareTwoClasses, "Compare Two Classes...", "Ctrl+K"},
    {[](CreatorDialog &d) { d.table().copyToOtherTeam(); }, "Class", CommandId::CopyToOtherTeam, "Copy to Other Team"},
    {nullptr, "Class"},
    {partCommand<&tolvane::SessionParts::inventory, &tolvane::InventoryCommands::showInventory>,
     "Class",
     CommandId::ShowInventory,
     "Show Inventory...",
     "Ctrl+I",
     {},
     tolvane::ControlId::ShowInventory},
    {windowCommand<&CreatorDialog::about>, "&?", CommandId::About, "&About", "", {}, tolvane::ControlId::About},
    {windowCommand<&CreatorDialog::help>, "&?", CommandId::Help, "&Help", "", QKeySequence::HelpContents},
    // Qt's copyright and licence, as its licence asks of a program that shows its own.
    {[](CreatorDialog &d) { QMessageBox::aboutQt(&d); }, "&?", CommandId::AboutQt, "About Qt"},
    {.run = partCommand<&tolvane::SessionParts::inventory, &tolvane::InventoryCommands::calculate>,
     .control = tolvane::ControlId::Calculate},
    {.run = partCommand<&tolvane::SessionParts::classList, &tolvane::ClassListCommands::saveToMemory>,
     .control = tolvane::ControlId::SaveToMemory},
    {.run = partCommand<&tolvane::SessionParts::inventory, &tolvane::InventoryCommands::pickItem>,
     .control = tolvane::ControlId::ItemList},
    {.run = partCommand<&tolvane::SessionParts::inventory, &tolvane::InventoryCommands::addItem>,
     .control = tolvane::ControlId::AddItem},
    {.run = partCommand<&tolvane::SessionParts::inventory, &tolvane::InventoryCommands::pickStartingWeapon>,
     .control = tolvane::ControlId::StartingWeaponList},
};
