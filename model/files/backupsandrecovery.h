#pragma once

#include "model/session/editorsession.h"

#include "classdata/files/recoveryfile.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// Where the user picks an earlier version of a class file to restore.
class VersionChooser
{
public:
    struct KeptVersion
    {
        std::chrono::system_clock::time_point kept;
        std::string differences;
        int inSecond = 0; // 1, 2, ... from the oldest kept in its second; 0 when it is alone there
    };
    virtual ~VersionChooser() = default;
    // Modal: the earlier version of the class file fileName the user picks
    // to restore, each listed by when it was kept with what restoring it
    // would change; nullopt when cancelled. Versions kept in one second are
    // told apart by their place among them.
    virtual std::optional<std::size_t> chooseVersion(const std::string &fileName,
                                                     const std::vector<KeptVersion> &versions) = 0;
};

// What the user's data folder keeps for the session: the unsaved classes
// for a restore after a crash, offered at the next start in the folder, and
// the earlier versions of the class file that Write Out kept.
class BackupsAndRecovery : public SessionListener
{
public:
    BackupsAndRecovery(EditorSession &session, VersionChooser &chooser);

    // The unsaved classes (table and form) go to the recovery file of the
    // game folder when they changed since it was last saved, and the file
    // goes when nothing is unsaved. The window calls it a few seconds after
    // a change.
    void keepRecovery();
    // File > Restore Previous Version: an earlier version of the form's
    // class file, kept by Write Out, replaces the classes in memory as one
    // step that Undo takes back; the file changes only on Write Out.
    void restorePreviousVersion();

    void classesSettled() override
    {
        forgetRecovery(0);
        forgetRecovery(1);
    }
    void folderStarted(bool usable) override;

private:
    // part: 0 the active team's file's classes, 1 the other team's (see
    // RecoveryStore).
    void keep(const TeamDocument &document, const ClassRecord &form, int part);
    void forgetRecovery(int part);
    void offerRecovery(int part);
    void restoreRecovery(const SessionRecovery &recovery, const std::filesystem::path &file, int part);

    EditorSession &session;
    VersionChooser &chooser;
    std::string kept[2]; // what each recovery file holds; empty when this run keeps none
};

} // namespace tolvane
