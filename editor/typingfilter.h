#pragma once

#include "dialogtemplate.h"

#include <QObject>

class QLineEdit;

// Typed text that a box refuses: a digits box takes the digits alone
// (digitsBoxTakes), a number box what still fits into its width. The keys
// without printable text (editing, moving, Tab, Enter, shortcuts) always
// pass, and so does pasted text. The class table's cells of whole numbers
// take the digits box's filter too.
class TypingFilter : public QObject
{
public:
    TypingFilter(ControlKind kind, QLineEdit *edit);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool fits(const QString &typed) const;

    ControlKind kind;
    QLineEdit *edit;
};
