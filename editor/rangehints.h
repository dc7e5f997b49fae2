#pragma once

#include <cstddef>
#include <string_view>

#include <QHash>

class QLineEdit;
class QWidget;

// While the user types, text that the class file or the game takes otherwise
// than typed gets a warning tint and a tooltip (also its accessible
// description) naming what is stored or read instead; nothing is refused or
// changed.

// A number box for the file key (its limits; "" for none), whole numbers or
// not. The key must outlive the box.
void watchNumberBox(QLineEdit *box, std::string_view key, bool isFloat);
// A text box whose field keeps at most limit bytes, 0 for no limit.
void watchTextBox(QLineEdit *box, std::size_t limit);
// Every number and text box of the form among controls, by template id.
void watchValueRanges(const QHash<int, QWidget *> &controls);
