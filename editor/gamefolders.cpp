#include "creatordialog.h"

#include "controlids.h"
#include "nativepath.h"
#include "recentfolders.h"
#include "settings.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>

#include <string>

namespace fs = std::filesystem;

namespace {

QString problemText(const GameFolder &folder, GameFolder::Problem problem, const std::error_code &error)
{
    const QString name = displayPath(folder.name());
    switch (problem) {
    case GameFolder::Problem::None:
        break;
    case GameFolder::Problem::Unresolved:
        return name.isEmpty() ? CreatorDialog::tr("The folder this program was started in cannot be found: it was "
                                                  "deleted or moved, or its path is too long.")
                              : CreatorDialog::tr("The game folder %1 cannot be found: it was deleted or moved "
                                                  "since the program was started there, or its path is too long.")
                                    .arg(name);
    case GameFolder::Problem::Missing:
        return CreatorDialog::tr("The game folder %1 does not exist (any more).").arg(name);
    case GameFolder::Problem::NotAFolder:
        return CreatorDialog::tr("%1 is not a folder.").arg(name);
    case GameFolder::Problem::Unreachable:
        return CreatorDialog::tr("The game folder %1 cannot be used: %2.")
            .arg(name, QString::fromLocal8Bit(error.message()));
    }
    return {};
}

QString chooseAnother()
{
    return CreatorDialog::tr("Choose the game folder with File > Open Folder (Ctrl+O).");
}

// The folder a drop names: a folder itself, or the folder of a class file.
fs::path droppedFolder(const QMimeData *mime)
{
    if (!mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const fs::path path = pathFromUrl(mime->urls().front());
    std::error_code error;
    if (fs::is_directory(path, error))
        return path;
    if (fs::is_regular_file(path, error) && path.extension() == ".cfg")
        return path.parent_path();
    return {};
}

} // namespace

bool CreatorDialog::folderUsable()
{
    std::error_code error;
    const GameFolder::Problem problem = gameFolder.check(&error);
    if (problem == GameFolder::Problem::None)
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Game Folder"),
                    problemText(gameFolder, problem, error) + QStringLiteral("\n\n") + chooseAnother()
                        + tr("\nNothing was read or written."),
                    QMessageBox::Ok, this);
    box.exec();
    return false;
}

bool CreatorDialog::openFolder(const GameFolder &folder)
{
    std::error_code error;
    if (const GameFolder::Problem problem = folder.check(&error); problem != GameFolder::Problem::None) {
        QMessageBox box(QMessageBox::Warning, tr("Game Folder"),
                        problemText(folder, problem, error) + tr("\n\nThe game folder stays %1.")
                                                                  .arg(displayPath(gameFolder.name())),
                        QMessageBox::Ok, this);
        box.exec();
        return false;
    }
    if (!settleUnsavedChanges())
        return false;
    gameFolder = folder;
    startInFolder();
    return true;
}

void CreatorDialog::OnOpenFolder()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, tr("Open Folder"), displayPath(gameFolder.name()));
    if (!chosen.isEmpty())
        openFolder(GameFolder::At(pathFromQt(chosen)));
}

// As a new run in the folder: the empty table, the settings file read there.
void CreatorDialog::startInFolder()
{
    editorState.reset();
    changes = ChangeTracker(editorState);
    ShowRecord();
    syncScrollBar();
    std::error_code error;
    const GameFolder::Problem problem = gameFolder.check(&error);
    const bool usable = problem == GameFolder::Problem::None;
    if (usable)
        setStatusText({});
    else
        setStatusText(problemText(gameFolder, problem, error) + u' ' + chooseAnother());
    if (!usable || !ReadSettings(gameFolder.path(), editorState.sealsActive))
        settingsLog("Error opening " + std::string(settingsFileName) + "\n");
    fillRecentFolders(usable ? AddRecentFolder(gameFolder.path()) : RecentFolders());
    setWindowFilePath(displayPath(gameFolder.name()));
    updateIndicators();
}

void CreatorDialog::fillRecentFolders(const std::vector<fs::path> &folders)
{
    // The menu may be refilled from one of its own entries, so old entries
    // go only once that entry has finished.
    for (QAction *action : recentFolders->actions()) {
        recentFolders->removeAction(action);
        action->deleteLater();
    }
    int number = 0;
    for (const fs::path &folder : folders) {
        QAction *action =
            recentFolders->addAction(QStringLiteral("&%1 %2").arg(++number).arg(displayPath(folder)));
        connect(action, &QAction::triggered, this, [this, folder] { openFolder(GameFolder::At(folder)); });
    }
    recentFolders->setEnabled(number > 0);
}

void CreatorDialog::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFolder(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CreatorDialog::dropEvent(QDropEvent *event)
{
    const fs::path folder = droppedFolder(event->mimeData());
    if (folder.empty())
        return;
    event->acceptProposedAction();
    // Questions open once the drop has ended, not inside it.
    QMetaObject::invokeMethod(this, [this, folder] { openFolder(GameFolder::At(folder)); }, Qt::QueuedConnection);
}
