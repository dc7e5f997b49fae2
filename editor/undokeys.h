#pragma once

#include <QObject>

#include <functional>

class QAction;
class QLineEdit;

// The keys of the Edit menu's Undo and Redo, typed in a text box, go to the
// box rather than to the menu command: pressed(box, redo) hears of them. (A
// list with a text field has the focus itself and hands the keys on to its
// field.)
class UndoKeys : public QObject
{
public:
    using Pressed = std::function<void(QLineEdit *box, bool redo)>;
    UndoKeys(QLineEdit *box, const QAction *undo, const QAction *redo, Pressed pressed);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *box;
    const QAction *undo;
    const QAction *redo;
    Pressed pressed;
};
