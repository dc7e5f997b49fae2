#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// The problems of the class file, in a window beside the editor. Choosing
// one (Enter or a double click) asks the editor to move to its class and to
// the box it concerns.
class ProblemsWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ProblemsWindow(QWidget *owner);

    // One line a problem, in the order the editor knows them by, each with
    // its tooltip (the same by the file's keys).
    void showProblems(const QStringList &lines, const QStringList &tooltips);
    // Moves the window beside area (global coordinates), on the side with the
    // most room, shrinking it to that room; false when no side has room for it.
    bool placeBeside(const QRect &area);
    // The same where the window covers area.
    bool keepClearOf(const QRect &area);

signals:
    void problemChosen(int index);

private:
    QListWidget *list;
};
