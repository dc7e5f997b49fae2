#include "creatordialog.h"

#include "nativepath.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>

using namespace tolvane;

namespace fs = std::filesystem;

namespace {

// The folder a drop names: a folder itself, or the folder of a class file.
fs::path droppedFolder(const QMimeData *mime)
{
    if (!mime->hasUrls() || mime->urls().size() != 1)
        return {};
    return EditorSession::droppedFolder(pathFromUrl(mime->urls().front()));
}

} // namespace

std::optional<fs::path> CreatorDialog::chooseFolder(const fs::path &start, const std::string &title)
{
    const QString chosen = QFileDialog::getExistingDirectory(this, QString::fromStdString(title), displayPath(start));
    if (chosen.isEmpty())
        return std::nullopt;
    return pathFromQt(chosen);
}

void CreatorDialog::showFolders(const fs::path &folder, const std::vector<fs::path> &recent)
{
    setWindowFilePath(displayPath(folder));
    // The menu may be refilled from one of its own entries, so old entries
    // go only once that entry has finished.
    for (QAction *action : recentFolders->actions()) {
        recentFolders->removeAction(action);
        action->deleteLater();
    }
    int number = 0;
    for (const fs::path &path : recent) {
        QAction *action = recentFolders->addAction(QStringLiteral("&%1 %2").arg(++number).arg(displayPath(path)));
        connect(action, &QAction::triggered, this, [this, path] { editing.openFolder(GameFolder::at(path)); });
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
    QMetaObject::invokeMethod(
        this, [this, folder] { editing.openFolder(GameFolder::at(folder)); }, Qt::QueuedConnection);
}
