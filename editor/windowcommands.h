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
    ShowOtherTeam = 0x8300,
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

template <void (CreatorDialog::*command)()>
constexpr void (*windowCommand)(CreatorDialog &) = [](CreatorDialog &dialog) { (dialog.*command)(); };

// Menu 140, with the game folder's commands first and the Edit menu added,
// then the commands of controls alone. A command without a row does nothing.
inline constexpr WindowCommand windowCommands[] = {
    {sessionCommand<&tolvane::EditorSession::chooseFolder>, "&File", CommandId::OpenFolder, "Open &Folder...",
     "Ctrl+O"},
    {nullptr, "&File", CommandId::RecentFolders, "Recent Folders"},
    {sessionCommand<&tolvane::EditorSession::copySamples>, "&File", CommandId::CopySamples, "Cop&y Samples..."},
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
    {windowCommand<&CreatorDialog::openReview>, "&File", CommandId::ReviewChanges, "Re&view Changes..."},
    {sessionCommand<&tolvane::EditorSession::compareWithFile>, "&File", CommandId::CompareWithFile,
     "Compare wit&h File..."},
    // Without an Alt letter: each of its letters leads elsewhere already.
    {sessionCommand<&tolvane::EditorSession::restorePreviousVersion>, "&File", CommandId::RestorePreviousVersion,
     "Restore Previous Version..."},
    {windowCommand<&CreatorDialog::openProblems>, "&File", CommandId::Problems, "P&roblems...", "F8"},
    {nullptr, "&File"},
    // Without Alt letters: each of their letters leads elsewhere already.
    {sessionCommand<&tolvane::EditorSession::exportClasses>, "&File", CommandId::ExportClasses, "Export Classes..."},
    {sessionCommand<&tolvane::EditorSession::importClasses>, "&File", CommandId::ImportClasses, "Import Classes..."},
    {nullptr, "&File"},
    {windowCommand<&CreatorDialog::quit>, "&File", CommandId::Quit, "&Quit", "Ctrl+Q", {}, tolvane::ControlId::Quit},
    {[](CreatorDialog &d) { d.session().undo(); }, "E&dit", CommandId::Undo, "Un&do", "Ctrl+Z"},
    {[](CreatorDialog &d) { d.session().redo(); }, "E&dit", CommandId::Redo, "&Redo", "Ctrl+Y; Ctrl+Shift+Z"},
    {windowCommand<&CreatorDialog::toggleClassTable>, "&View", CommandId::ClassTable, "&Class Table", "Ctrl+T"},
    {windowCommand<&CreatorDialog::filterClasses>, "&View", CommandId::FilterClasses, "&Filter Classes...", "Ctrl+F"},
    {sessionCommand<&tolvane::EditorSession::showChart>, "&View", CommandId::Chart, "C&hart..."},
    {windowCommand<&CreatorDialog::toggleOtherTeam>, "&View", CommandId::ShowOtherTeam, "Show Othe&r Team",
     "Ctrl+Shift+T"},
    {sessionCommand<&tolvane::EditorSession::addClass>,
     "Class",
     CommandId::AddClass,
     "Add Class",
     "Ctrl+N",
     {},
     tolvane::ControlId::AddClass},
    {sessionCommand<&tolvane::EditorSession::duplicateClass>, "Class", CommandId::DuplicateClass, "Duplicate Class",
     "Ctrl+D"},
    {sessionCommand<&tolvane::EditorSession::deleteClass>,
     "Class",
     CommandId::DeleteClass,
     "Delete Class",
     "Ctrl+Del",
     {},
     tolvane::ControlId::DeleteClass},
    {nullptr, "Class"},
    {sessionCommand<&tolvane::EditorSession::moveClassUp>, "Class", CommandId::MoveClassUp, "Move Class Up",
     "Ctrl+Shift+Up"},
    {sessionCommand<&tolvane::EditorSession::moveClassDown>, "Class", CommandId::MoveClassDown, "Move Class Down",
     "Ctrl+Shift+Down"},
    {nullptr, "Class"},
    {sessionCommand<&tolvane::EditorSession::nextClass>, "Class", CommandId::NextClass, "Next Class", "",
     QKeySequence::Forward, tolvane::ControlId::NextClass},
    {sessionCommand<&tolvane::EditorSession::previousClass>, "Class", CommandId::PreviousClass, "Previous Class", "",
     QKeySequence::Back, tolvane::ControlId::PrevClass},
    {sessionCommand<&tolvane::EditorSession::firstClass>, "Class", CommandId::FirstClass, "First Class", "Alt+Home"},
    {sessionCommand<&tolvane::EditorSession::lastClass>, "Class", CommandId::LastClass, "Last Class", "Alt+End"},
    {sessionCommand<&tolvane::EditorSession::goToClass>, "Class", CommandId::GoToClass, "Go to Class...", "Ctrl+G"},
    {sessionCommand<&tolvane::EditorSession::compareTwoClasses>, "Class", CommandId::CompareTwoClasses,
     "Compare Two Classes...", "Ctrl+K"},
    {nullptr, "Class"},
    {sessionCommand<&tolvane::EditorSession::showInventory>,
     "Class",
     CommandId::ShowInventory,
     "Show Inventory...",
     "Ctrl+I",
     {},
     tolvane::ControlId::ShowInventory},
    {sessionCommand<&tolvane::EditorSession::about>,
     "&?",
     CommandId::About,
     "&About",
     "",
     {},
     tolvane::ControlId::About},
    {sessionCommand<&tolvane::EditorSession::help>, "&?", CommandId::Help, "&Help", "", QKeySequence::HelpContents},
    // Qt's copyright and licence, as its licence asks of a program that shows its own.
    {[](CreatorDialog &d) { QMessageBox::aboutQt(&d); }, "&?", CommandId::AboutQt, "About Qt"},
    {.run = sessionCommand<&tolvane::EditorSession::calculate>, .control = tolvane::ControlId::Calculate},
    {.run = sessionCommand<&tolvane::EditorSession::saveToMemory>, .control = tolvane::ControlId::SaveToMemory},
    {.run = sessionCommand<&tolvane::EditorSession::pickItem>, .control = tolvane::ControlId::ItemList},
    {.run = sessionCommand<&tolvane::EditorSession::addItem>, .control = tolvane::ControlId::AddItem},
    {.run = sessionCommand<&tolvane::EditorSession::pickStartingWeapon>,
     .control = tolvane::ControlId::StartingWeaponList},
};
