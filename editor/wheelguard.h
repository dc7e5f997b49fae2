#pragma once

class QComboBox;

// The list reacts to the mouse wheel only while it has the keyboard focus, so
// that scrolling over the window never picks another entry unnoticed.
void ignoreWheelWithoutFocus(QComboBox *list);
