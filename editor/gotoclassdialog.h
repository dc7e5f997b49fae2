#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;

// Every class by number and name, to choose the one to go to. Typing a part
// of a name (in the list or in Find) shows only the classes whose names hold
// it; Enter or a double click chooses.
class GoToClassDialog : public QDialog
{
    Q_OBJECT

public:
    // names: the classes in slot order; current is picked at first.
    GoToClassDialog(const QStringList &names, int current, QWidget *parent = nullptr);

    // The slot picked in the list, -1 when none.
    int chosenSlot() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMatching(const QString &text);

    QListWidget *classes = nullptr;
    QLineEdit *find = nullptr;
};
