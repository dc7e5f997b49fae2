#pragma once

#include "editorsession.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tolvane {

// Problems and Review Changes: what the reader found in the class file and
// still stands, and what Write Out would change. While a question about
// writing is open, Review Changes shows what each of its answers would do.
class ReviewCommands
{
public:
    explicit ReviewCommands(EditorSession &session) : session(session) {}

    // The problems of the class file last loaded or written as they stand
    // now, one line each: "Sniper, line 4: TCC003 speed 10.5 is outside ...".
    std::vector<std::string> problems() const;
    // Moves to the class of problem index, storing the form first, and puts
    // the focus in its box.
    void goToProblem(std::size_t index);
    // What Write Out would change, class by class and value by value.
    std::string reviewChanges() const;
    // The class file on disk against what Write Out would write, as a
    // unified diff; empty when Write Out would not change it.
    std::string fileDifferences() const;

private:
    EditorSession &session;
};

} // namespace tolvane
