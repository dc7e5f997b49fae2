#pragma once

#include <QWidget>
#include <QStringList>

class QListWidget;

// The problems of the class file, a pane of the editor window. Choosing one
// (Enter or a double click) asks the editor to move to its class and to the
// box it concerns.
class ProblemsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ProblemsWindow(QWidget *parent);

    QSize sizeHint() const override;

    // One line a problem, in the order the editor knows them by, each with
    // its tooltip (the same by the file's keys).
    void showProblems(const QStringList &lines, const QStringList &tooltips);
    // Moves the pane, when it floats, beside area (global coordinates), on
    // the side with the most room, shrinking it to that room; false when no
    // side has room for it. Docked, it covers no part of the form.
    bool placeBeside(const QRect &area);
    // The same where the pane covers area.
    bool keepClearOf(const QRect &area);

signals:
    void problemChosen(int index);

private:
    QListWidget *list;
};
