#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class TypingAnnouncement;

// Every class by number and name, to choose the one to go to. Typing a part
// of a name (in the list or in Find) lists only the classes whose names hold
// it, so that a screen reader counts and places the entries shown; Up and
// Down in Find move through them and say each. Enter or a double click
// chooses.
class GoToClassDialog : public QDialog
{
    Q_OBJECT

public:
    // names: the classes in slot order; current is picked at first. Each is
    // listed with its number in numbers, by default its place in names.
    GoToClassDialog(const QStringList &names, int current, QWidget *parent = nullptr, const QList<int> &numbers = {});

    // The entry of names picked in the list, -1 when none.
    int chosenSlot() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMatching(const QString &text);
    QString currentEntry() const;

    QStringList names;
    QList<int> numbers;
    QListWidget *classes = nullptr;
    QLineEdit *find = nullptr;
    TypingAnnouncement *matchesSaid = nullptr;
};
