#include "creatordialog.h"

#include "fileio.h"
#include "safesave.h"
#include "settings.h"

#include <string>

// "&Change Active-Config": the other team's file is active from now on, in
// this run already, although the questions speak of a restart.
void CreatorDialog::ToggleActiveTeam()
{
    if (!folderUsable() || !settleUnsavedChanges())
        return;
    if (!askQuestion(editorState.sealsActive ? QStringLiteral("TANGOS CONFIG file will be readen on Restart")
                                             : QStringLiteral("SEALS CONFIG file will be readen on Restart")))
        return;
    editorState.sealsActive = editorState.sealsActive ? 0 : 1;
    WriteSettings();
}

void CreatorDialog::WriteSettings()
{
    if (!askQuestion(QStringLiteral("Changes will be taken in effect in restarting this Programm")))
        return;
    const std::filesystem::path path = gameFolder.file(settingsFileName);
    std::string error;
    if (!saveFileAtomically(path, SettingsFileBytes(editorState.sealsActive, platformLineEnd), &error)) {
        warnNotWritten(path, QString::fromLocal8Bit(error));
        return;
    }
    settingsLog("File written [" + std::string(settingsFileName) + "]\n");
}
