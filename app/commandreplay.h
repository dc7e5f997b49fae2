#pragma once

class CreatorDialog;
class QString;

// Runs window commands, given as template ids of push buttons or menu ids
// separated by blanks, one after another once the event loop runs. The
// end-to-end test drives the real program this way through the environment
// variable TOLVANE_REPLAY_COMMANDS; users never set it.
void replayCommands(CreatorDialog &dialog, const QString &commands);
