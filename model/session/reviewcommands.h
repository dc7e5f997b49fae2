#pragma once

#include "editorsession.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tolvane {

// Problems and Review Changes: what the reader found in the class file and
// still stands, the slips of the classes and the rules of the game folder's
// rules file they break, and what Write Out would change. While a question
// about writing is open, Review Changes shows what each of its answers would
// do. The rules file is read again as other classes come into memory, and
// when followRulesFile finds it changed.
class ReviewCommands : public SessionListener
{
public:
    explicit ReviewCommands(EditorSession &session);

    // A problem as the Problems window lists it: "Sniper, line 4: TCC003
    // Class Speed 10.5 is outside ...", "Scout: TCC030 speed ..." (a rule in
    // the rules file's words), and the same by the file's keys, for a modder
    // looking for the line: "Sniper, line 4: TCC003 speed 10.5 ...".
    struct ListedProblem
    {
        std::string text;
        std::string byKeys;
    };
    // The problems of the classes as they stand now, one line each.
    std::vector<ListedProblem> problems() const;
    // Reads the game folder's rules file again when it changed on disk, and
    // then shows the indicators anew; true when the rules changed, and with
    // them the problems.
    bool followRulesFile();
    // Moves to the class of problem index, storing the form first, and puts
    // the focus in its box.
    void goToProblem(std::size_t index);
    // What Write Out would change, class by class and value by value.
    std::string reviewChanges() const;
    // The class file on disk against what Write Out would write, as a
    // unified diff; empty when Write Out would not change it.
    std::string fileDifferences() const;

    void classesReplaced() override { readRulesFile(); }

private:
    bool readRulesFile();
    // Each problem with the document of its class and the class's name.
    struct Placed
    {
        int document;
        Problem problem;
        std::string className;
    };
    std::vector<Placed> standing() const;
    std::string eachFile(std::string (TeamDocument::*of)(const std::filesystem::path &, std::span<const ClassRecord>)
                             const) const;

    EditorSession &session;
};

} // namespace tolvane
