#pragma once

#include <QPointer>

class QWidget;

// A question or a window opened from where the user works (a cell of the
// class table, a box of the form) goes over that window, and when it ends,
// the focus goes back to that cell or box, not to the window that asked.

// The window the user works in, when it is one of the program's; else fallback.
QWidget *ownerWhereTheUserIs(QWidget *fallback);

// Gives the focus back, when it ends, to the widget that had it when it began.
class FocusReturn
{
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn &) = delete;
    FocusReturn &operator=(const FocusReturn &) = delete;

private:
    QPointer<QWidget> widget;
};

// For a window that stays open (the chart): the focus goes back to the
// widget that had it when the window was opened, once it is closed.
void returnFocusOnClose(QWidget *window);
