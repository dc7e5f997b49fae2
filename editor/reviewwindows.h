#pragma once

#include "model/session/reviewcommands.h"

class CreatorDialog;
class PaneDock;
class ProblemsWindow;

// The Problems pane of the editor window, and Review Changes over it.
// The game folder's rules file is edited in another program: the problems
// and the class table's tints follow it.
class ReviewWindows
{
public:
    ReviewWindows(CreatorDialog &dialog, tolvane::ReviewCommands &review);

    // How often the game folder's rules file is looked at for a change.
    static constexpr int rulesCheckMs = 2000;

    // The Problems pane opens docked beside the form; floating, it moves out
    // of the way of each box it jumps to.
    void openProblems();
    // The Problems window, when open, follows the classes.
    void refreshProblems();
    void openReview();
    ProblemsWindow *problems() const;
    // The Problems pane, made now if need be.
    PaneDock *problemsPane();

private:
    CreatorDialog &dialog;
    tolvane::ReviewCommands &review;
    PaneDock *problemsDock = nullptr;
};
