#include "undokeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

UndoKeys::UndoKeys(QLineEdit *box, const QAction *undo, const QAction *redo, Pressed pressed)
    : QObject(box), box(box), undo(undo), redo(redo), pressed(std::move(pressed))
{
}

bool UndoKeys::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence typed(key->keyCombination());
    const bool isUndo = undo->shortcuts().contains(typed);
    const bool isRedo = redo->shortcuts().contains(typed);
    if (!isUndo && !isRedo)
        return false;
    if (event->type() == QEvent::KeyPress)
        pressed(box, isRedo);
    key->accept();
    return true;
}
