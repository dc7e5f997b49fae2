#pragma once

// The session commands that test rows spell as one letter, and a session in
// a scratch folder that runs them, shared by the session tests.

#include "model/sessionparts.h"
#include "fakeparts.h"
#include "fakeview.h"
#include "sessiontesthelpers.h"

#include "classdata/files/safesave.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

// One command of a class-table test row, "verb rest", with rest split at
// " = " into before and after ("cell 2 Health = 90").
struct TableCommand
{
    std::string text, verb, rest, before, after;
};

// The commands of a row, separated by ';'.
inline std::vector<TableCommand> tableCommands(const std::string &line)
{
    std::vector<TableCommand> parsed;
    std::istringstream commands(line);
    for (std::string text; std::getline(commands, text, ';');) {
        TableCommand &command = parsed.emplace_back();
        command.text = text;
        std::istringstream words(text);
        words >> command.verb;
        std::getline(words >> std::ws, command.rest);
        const std::size_t equals = command.rest.find(" = ");
        command.before = command.rest.substr(0, equals);
        command.after = equals == std::string::npos ? "" : command.rest.substr(equals + 3);
    }
    return parsed;
}

// Runs the session's own command of letter; false when the letter is not one.
inline bool runSessionCommand(tolvane::EditorSession &session, char letter)
{
    using tolvane::Move;
    // clang-format off
    switch (letter) {
    case 'L': session.loadConfig(); break;
    case 'W': session.writeOut(); break;
    case 'S': session.saveToMemory(); break;
    case 'n': session.move(Move::Next); break;
    case 'p': session.move(Move::Previous); break;
    case 'f': session.move(Move::First); break;
    case 'l': session.move(Move::Last); break;
    case 'T': session.changeActiveConfig(); break;
    case 'z': session.undo(); break;
    case 'y': session.redo(); break;
    case 'Z': session.undo(true); break; // the keys, from a text box with nothing to undo
    case 'Y': session.redo(true); break;
    default: return false;
    }
    // clang-format on
    return true;
}

// The same with the commands of the class list, and the window the list asks.
inline bool runSessionCommand(tolvane::EditorSession &session, tolvane::ClassListCommands &classList,
                              FakeClassPicker &picker, char letter, const std::string &argument)
{
    // clang-format off
    switch (letter) {
    case 'a': classList.addClass(); break;
    case 'x': classList.deleteClass(); break;
    case 'd': classList.duplicateClass(); break;
    case 'u': classList.moveClassUp(); break;
    case 'w': classList.moveClassDown(); break;
    case 'g':
        picker.pickedClass = std::stoi(argument);
        classList.goToClass();
        break;
    default: return runSessionCommand(session, letter);
    }
    // clang-format on
    return true;
}

// A session started in a scratch folder whose Seals file holds classes of
// the given names, and another folder. Beyond the commands, rows spell F<n>:
// the Seals file holds n classes c0, c1, ...; e: type "x" after the name in
// the form; D: another program rewrites the Seals file (A: while the next
// question is open), M removes it, N writes a Tangos file; R: the Seals file
// becomes read-only; O: open the other folder; Q: quit.
class SessionBench
{
protected:
    explicit SessionBench(const std::vector<std::string> &names)
    {
        EXPECT_TRUE(tolvane::saveFileAtomically(seals(), classFile(names)));
        session->start();
    }
    fs::path seals() const { return first.path / "tvclass_seals.cfg"; }
    fs::path tangos() const { return first.path / "tvclass_tangos.cfg"; }
    static void write(const fs::path &path, const std::string &bytes)
    {
        ASSERT_TRUE(tolvane::saveFileAtomically(path, bytes));
    }
    // The form shows the current class again, as after a command.
    void showRecord()
    {
        tolvane::FormValues form = view.form();
        session->show(form);
    }
    std::unique_ptr<tolvane::SessionParts> makeParts()
    {
        return std::make_unique<tolvane::SessionParts>(
            *session, tolvane::PartWindows{classPicker, inventoryView, tableView, compareView, sheetView, versions});
    }
    // A new session and its parts in folder, not yet started: the next run.
    void newSessionIn(const tolvane::GameFolder &folder)
    {
        parts.reset();
        session = sessionIn(folder);
        parts = makeParts();
    }
    std::unique_ptr<tolvane::EditorSession> sessionIn(const tolvane::GameFolder &folder)
    {
        return std::make_unique<tolvane::EditorSession>(
            view, view, folder,
            tolvane::EditorSession::Services{
                [this](std::string_view line) { reported += line; }, [this] { return keptFolders; },
                [this](const std::vector<fs::path> &folders) { keptFolders = folders; }, data.path});
    }
    // Runs the commands of a row; what quitting and opening the other folder gave.
    std::string run(const std::string &line)
    {
        std::string events;
        std::istringstream commands(line);
        for (std::string command; commands >> command;) {
            const std::string argument = command.substr(1);
            view.formReads = 0;
            if (runSessionCommand(*session, parts->classList, classPicker, command[0], argument)) {
                EXPECT_LE(view.formReads, 1) << command << " reads the form more than once";
                continue;
            }
            switch (command[0]) {
            case 'F': {
                std::vector<std::string> names;
                for (int i = 0; i < std::stoi(argument); ++i)
                    names.push_back("c" + std::to_string(i));
                EXPECT_TRUE(tolvane::saveFileAtomically(seals(), classFile(names)));
                break;
            }
            case 'e':
                view.boxes.className += 'x';
                session->refreshIndicators(view.form());
                break;
            case 'D':
                EXPECT_TRUE(tolvane::saveFileAtomically(seals(), classFile({"Disk"})));
                break;
            case 'A':
                view.whileAsking = [this] { EXPECT_TRUE(tolvane::saveFileAtomically(seals(), classFile({"Disk"}))); };
                break;
            case 'M':
                fs::remove(seals());
                break;
            case 'N':
                EXPECT_TRUE(tolvane::saveFileAtomically(first.path / "tvclass_tangos.cfg", classFile({"New"})));
                break;
            case 'O':
                events += session->openFolder(tolvane::GameFolder::at(other.path)) ? "open" : "kept";
                break;
            case 'Q':
                events += session->quit() ? "quit" : "stay";
                break;
            case 'R':
                fs::permissions(seals(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
                break;
            default:
                ADD_FAILURE() << "no command " << command;
            }
        }
        return events;
    }

    ScratchFolder data{"data"};
    ScratchFolder first{"first"};
    ScratchFolder other{"other"};
    FakeView view;
    FakeClassPicker classPicker;
    FakeInventory inventoryView;
    FakeTableView tableView;
    FakeCompareView compareView;
    FakeSheetView sheetView;
    FakeVersions versions;
    std::vector<fs::path> keptFolders;
    std::string reported;
    std::unique_ptr<tolvane::EditorSession> session = sessionIn(tolvane::GameFolder::at(first.path));
    std::unique_ptr<tolvane::SessionParts> parts = makeParts();
};
