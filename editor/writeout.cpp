#include "creatordialog.h"

#include "classfilereader.h"
#include "classfilewriter.h"
#include "fileio.h"
#include "nativepath.h"
#include "safesave.h"

void CreatorDialog::OnWriteOut()
{
    writeOut();
}

// "&Write Out": the form goes into the table first, then the whole table
// replaces the active team's class file.
bool CreatorDialog::writeOut()
{
    StoreForm();
    ShowRecord();
    if (!folderUsable())
        return false;
    const std::filesystem::path path = activeClassFilePath();
    const FileBytes old = readWholeFile(path);
    if (!confirmOverwrite(path, old))
        return false;

    const std::string bytes = ClassFileBytes(editorState.table, lineEndToKeep(old.bytes));
    std::string error;
    if (!saveFileAtomically(path, bytes, &error)) {
        warnNotWritten(path, QString::fromLocal8Bit(error));
        return false;
    }
    changes.fileWritten(path, bytes);
    changes.classesSaved(editorState);
    const int count = editorState.table.classCount;
    setStatusText((count == 1 ? tr("%1 class written to %2") : tr("%1 classes written to %2"))
                      .arg(count)
                      .arg(QString::fromLatin1(ClassFileName(editorState.sealsActive))));
    updateIndicators();
    return true;
}

// A class file that this run has neither loaded nor written, or that changed
// on disk since, is replaced only when the user says so; No is the default.
// A missing file is not replaced, so nothing is asked.
bool CreatorDialog::confirmOverwrite(const std::filesystem::path &path, const FileBytes &current)
{
    const QString shown = displayPath(path);
    switch (changes.replacing(path, current)) {
    case ChangeTracker::Replacing::Quietly:
        return true;
    case ChangeTracker::Replacing::NotLoaded:
        return askQuestion(tr("%1 already exists, and this program has neither loaded nor written it since it "
                              "started.\nReplace it with the classes in memory?")
                               .arg(shown),
                           false);
    case ChangeTracker::Replacing::ChangedOnDisk:
        break;
    }
    return askQuestion(tr("%1 has changed on disk since this program last loaded or wrote it.\n"
                          "Replace it with the classes in memory?")
                           .arg(shown),
                       false);
}
