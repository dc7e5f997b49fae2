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

    // A missing file still gives the default class, but not as a success.
    if (file.status == FileStatus::Missing)
        setStatusText(tr("%1 not found: %2 new class")
                          .arg(QString::fromLatin1(ClassFileName(editorState.sealsActive)))
                          .arg(editorState.table.classCount));
    else
        setStatusText(QStringLiteral("%1 Config Classes Read").arg(editorState.table.classCount));
    editorState.lastIndex = editorState.table.classCount - 1;
    // A shorter file than before must not leave the form beyond its classes.
    editorState.currentIndex = std::min(editorState.currentIndex, editorState.lastIndex);
    changes.classesSaved(editorState);
    syncScrollBar();
    ShowRecord();
}

void CreatorDialog::OnNextClass()
{
    if (editorState.currentIndex >= editorState.lastIndex)
        return;
    StoreForm();
    ++editorState.currentIndex;
    reportPosition();
}

void CreatorDialog::OnPrevClass()
{
    if (editorState.table.classCount == editorState.lastIndex)
        ++editorState.table.classCount;
    if (editorState.currentIndex <= editorState.firstIndex)
        return;
    StoreForm();
    --editorState.currentIndex;
    reportPosition();
}

void CreatorDialog::OnFirstClass()
{
    editorState.currentIndex = editorState.firstIndex;
    reportPosition();
}

void CreatorDialog::OnLastClass()
{
    editorState.currentIndex = editorState.lastIndex;
    reportPosition();
}

void CreatorDialog::OnAddClass()
{
    if (editorState.lastIndex >= tableSlotCount - 1) {
        setStatusText(tr("The table is full: %1 classes").arg(tableSlotCount));
        return;
    }
    ++editorState.lastIndex;
    ++editorState.table.classCount;
    if (editorState.table.classCount == editorState.lastIndex)
        ++editorState.table.classCount;
    syncScrollBar();
    setStatusText(QStringLiteral("@ Class to %1 [min=%2 | %3]")
                      .arg(editorState.lastIndex)
                      .arg(editorState.firstIndex)
                      .arg(editorState.table.classCount));
}

// After a move: the scroll bar, the status line and the form follow the index.
void CreatorDialog::reportPosition()
{
    syncScrollBar();
    setStatusText(QStringLiteral("@ Class %1 / %2 [%3]")
                      .arg(QString::number(editorState.currentIndex), QString::number(editorState.lastIndex),
                           fromCp1252(editorState.current().classname.view())));
    ShowRecord();
}

void CreatorDialog::syncScrollBar()
{
    auto *scrollBar = control<QScrollBar>(ControlId::HiddenScrollBar);
    scrollBar->setRange(editorState.firstIndex, editorState.lastIndex);
    scrollBar->setValue(editorState.currentIndex);
}
