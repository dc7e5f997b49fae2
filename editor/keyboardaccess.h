#pragma once

#include <QHash>

class QWidget;

// Alt letters on the labels and group titles of the form, each to its box
// (controls: the form's controls by id), the tab order in reading order group
// by group, and a focus frame that shows before the first key press. The
// controls must already sit in their group boxes.
void setUpKeyboardAccess(QWidget *form, const QHash<int, QWidget *> &controls);
