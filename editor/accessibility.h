#pragma once

#include <QHash>

class QWidget;

// What a screen reader and the keyboard get from the editor window's form,
// without moving a control or changing a text the user sees: each control
// inside the group box that frames it, the lists and the Amount box named for
// what they hold, the status line as a status bar that says when it changes,
// Alt letters, a tab order in reading order and a visible focus from the start.
void setUpAccessibility(QWidget *form, const QHash<int, QWidget *> &controls);
