#include "creatordialog.h"

#include "classfilereader.h"
#include "controlids.h"
#include "cp1252.h"
#include "nativepath.h"

#include <QMessageBox>
#include <QScrollBar>

void CreatorDialog::OnLoadConfig()
{
    if (!folderUsable() || !settleUnsavedChanges())
        return;
    const std::filesystem::path path = activeClassFilePath();
    const FileBytes file = ReadClassFile(editorState.table, gameFolder.path(), editorState.sealsActive);
    if (file.status == FileStatus::Unreadable) {
        QMessageBox::warning(this, QStringLiteral("Load Config"),
                             tr("The class file %1 could not be read: %2\nThe classes in memory are unchanged.")
                                 .arg(displayPath(path), QString::fromLocal8Bit(file.error)));
        return;
    }
    changes.fileRead(path, file);
    showResult(editing.loaded(file.status == FileStatus::Read));
}

void CreatorDialog::OnNextClass()
{
    showResult(editing.next(formStore()));
}

void CreatorDialog::OnPrevClass()
{
    showResult(editing.previous(formStore()));
}

void CreatorDialog::OnFirstClass()
{
    showResult(editing.first());
}

void CreatorDialog::OnLastClass()
{
    showResult(editing.last());
}

void CreatorDialog::OnAddClass()
{
    showResult(editing.addClass());
}

// The scroll bar follows the range and the index after every move; the
// status line and the form show what the command reports.
void CreatorDialog::showResult(const EditingModel::Result &result)
{
    syncScrollBar();
    if (result.status)
        setStatusText(fromCp1252(*result.status));
    if (result.showClass)
        ShowRecord();
}

void CreatorDialog::syncScrollBar()
{
    auto *scrollBar = control<QScrollBar>(ControlId::HiddenScrollBar);
    scrollBar->setRange(editorState.firstIndex, editorState.lastIndex);
    scrollBar->setValue(editorState.currentIndex);
}
