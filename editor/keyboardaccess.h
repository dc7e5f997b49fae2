#pragma once

class QWidget;

// The tab order of the form in reading order group by group, and a focus
// frame that shows before the first key press. The controls must already
// sit in their group boxes. (The Alt letters are the template's.)
void setUpKeyboardAccess(QWidget *form);
