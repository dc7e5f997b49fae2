#pragma once

#include "model/session/statushistory.h"

#include <QLineEdit>

// The status line along the bottom of the window: read-only text without a
// frame, one line high whatever its message, so that the form never gives
// up room to it. A message too long for the line ends in "…"; the tooltip
// holds it whole with the messages before it, and screen readers hear it
// whole. It stays a line edit, which screen readers know as the window's
// status bar.
class StatusLine : public QLineEdit
{
public:
    explicit StatusLine(QWidget *parent);

    // The message as the line shows it: on one line, cut to its width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textArea() const;
    void keepMessage();

    tolvane::StatusHistory history;
};
