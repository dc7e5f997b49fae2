#include "creatordialog.h"

#include "classfilewriter.h"
#include "fileio.h"
#include "safesave.h"

#include <QFile>

// "&Write Out": the form goes into the table first, then the whole table
// replaces the active team's class file.
void CreatorDialog::WriteClassFile()
{
    StoreForm();
    ShowRecord();
    const QString path = activeClassFilePath();
    const FileBytes old = readWholeFile(path.toStdU16String());
    if (!confirmOverwrite(path, old))
        return;

    const std::string bytes = ClassFileBytes(editorState.table, lineEndToKeep(old.bytes));
    std::string error;
    if (!saveFileAtomically(QFile::encodeName(path).toStdString(), bytes, &error)) {
        warnNotWritten(path, QString::fromLocal8Bit(error));
        return;
    }
    rememberFileState(path, bytes);
}

// A class file that this run has neither loaded nor written, or that changed
// on disk since, is replaced only when the user says so. A missing file is
// not replaced, so nothing is asked.
bool CreatorDialog::confirmOverwrite(const QString &path, const FileBytes &current)
{
    if (current.status == FileStatus::Missing)
        return true;
    const auto known = knownFileContents.constFind(path);
    if (known != knownFileContents.cend() && current.status == FileStatus::Read && *known == current.bytes)
        return true;

    const QString shown = QDir::toNativeSeparators(path);
    return askQuestion(known == knownFileContents.cend()
                           ? tr("%1 already exists, and this program has neither loaded nor written it since it "
                                "started.\nReplace it with the classes in memory?")
                                 .arg(shown)
                           : tr("%1 has changed on disk since this program last loaded or wrote it.\n"
                                "Replace it with the classes in memory?")
                                 .arg(shown));
}

void CreatorDialog::rememberFileState(const QString &path, const std::optional<std::string> &contents)
{
    knownFileContents.insert(path, contents);
}
