#pragma once

#include "model/review/problemlist.h"

#include <span>
#include <vector>

namespace tolvane {

class EditorSession;

// The problems of classes, the classes Write Out would write, as the
// Problems window lists them and the class table tints them: the class
// file's as they stand, the slips of the classes, the rules of the game
// folder's rules file they break (the team rules with the other team's
// file), less the codes the rules file leaves out. What keeps the rules
// from being checked comes first.
std::vector<Problem> standingProblems(const EditorSession &session, std::span<const ClassRecord> classes);
// The same for the classes of the session's document number (see
// EditorSession::documentOf); the above is the form's document's.
std::vector<Problem> standingProblems(const EditorSession &session, int number, std::span<const ClassRecord> classes);

} // namespace tolvane
