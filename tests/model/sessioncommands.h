#pragma once

// The session commands that test rows spell as one letter, and a session in
// a scratch folder that runs them, shared by the session tests.

#include "model/sessionparts.h"
#include "fakeparts.h"
#include "fakeview.h"
#include "sessiontesthelpers.h"

#include "classdata/files/safesave.h"
#include "model/table/tablecolumns.h"
#include "model/table/teamrows.h"

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

// A row of the class table: "2" the form team's slot 2, "t1" the other
// team's slot 1.
inline int tableRow(const std::string &word)
{
    return word.starts_with('t') ? tolvane::otherTeamRows + std::stoi(word.substr(1)) : std::stoi(word);
}

// A column of the class table by its title, the Team column too.
inline int tableColumn(const std::string &title)
{
    const int found = title == "Team" ? tolvane::teamColumn() : tolvane::columnNamed(title);
    EXPECT_GE(found, 0) << title;
    return found;
}

// Runs the session's own command of letter; false when the letter is not one.
inline bool runSessionCommand(tolvane::EditorSession &session, char letter)
{
    // clang-format off
    switch (letter) {
    case 'L': session.loadConfig(); break;
    case 'W': session.writeOut(); break;
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
    using tolvane::Move;
    // clang-format off
    switch (letter) {
    case 'S': classList.saveToMemory(); break;
    case 'n': classList.move(Move::Next); break;
    case 'p': classList.move(Move::Previous); break;
    case 'f': classList.move(Move::First); break;
    case 'l': classList.move(Move::Last); break;
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
    // Runs a class table command of a row; false when it is none: answer
    // LETTERS; other (Show Other Team); filter TEXT; sort TITLE up|down;
    // order; select ROW...; all; shown; choose ROW; cell ROW TITLE = TEXT;
    // change TITLE = TYPED; paste ROW... TITLE = TEXT (\t and \n for tab and
    // line end, every column shown). ROW as tableRow reads it.
    bool runTableCommand(const TableCommand &command)
    {
        const auto &[text, verb, rest, before, after] = command;
        // The rows it names, then the title of a paste's column.
        const std::string cells = verb == "paste" ? before : rest;
        std::vector<int> rows;
        std::string title;
        std::istringstream words(cells);
        std::string word;
        for (auto at = words.tellg(); title.empty() && words >> word; at = words.tellg()) {
            if (word.find_first_not_of("0123456789", word.starts_with('t') ? 1 : 0) == std::string::npos)
                rows.push_back(tableRow(word));
            else
                title = cells.substr(cells.find_first_not_of(' ', std::size_t(at)));
        }
        tolvane::ClassTableEditing &table = parts->table;
        if (verb == "answer")
            view.answer(rest);
        else if (verb == "other")
            table.showOtherTeam(!table.showsOtherTeam());
        else if (verb == "filter")
            table.filter(rest);
        else if (verb == "sort")
            table.sort(tableColumn(rest.substr(0, rest.rfind(' '))),
                       rest.ends_with("down") ? tolvane::SortOrder::Descending : tolvane::SortOrder::Ascending);
        else if (verb == "order")
            table.fileOrder();
        else if (verb == "select")
            table.selectRows(rows);
        else if (verb == "all")
            table.selectAllClasses();
        else if (verb == "shown")
            table.selectAllShown();
        else if (verb == "choose")
            table.chooseRow(rows.at(0));
        else if (verb == "cell")
            table.editCell(tableRow(before), tableColumn(before.substr(before.find(' ') + 1)), after);
        else if (verb == "change")
            table.changeSelectedClasses(tableColumn(before), after);
        else if (verb == "paste")
            pasteCells(rows, tableColumn(title), after);
        else
            return false;
        return true;
    }
    void pasteCells(const std::vector<int> &rows, int column, std::string text)
    {
        tolvane::TableGrid grid;
        grid.rows = parts->table.shownRows();
        for (int i = 0; i <= tolvane::teamColumn(); ++i)
            grid.columns.push_back(i);
        for (int row : rows)
            grid.selected.push_back({int(std::ranges::find(grid.rows, row) - grid.rows.begin()), column});
        for (const auto &[escape, byte] : {std::pair{"\\t", '\t'}, {"\\n", '\n'}}) {
            for (std::size_t at; (at = text.find(escape)) != std::string::npos;)
                text.replace(at, 2, 1, byte);
        }
        parts->table.paste(grid, text);
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
