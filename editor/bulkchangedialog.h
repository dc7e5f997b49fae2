#pragma once

#include "classdata/format/classrecord.h"
#include "model/table/teamrows.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TypingAnnouncement;

// Asks what to change in one column of several classes: a value to set, an
// amount to add, a factor, a tick. It shows the column and the classes it
// changes, their value now, or "(different)", and what cannot be read before
// anything is changed; a screen reader hears each, and why Enter cannot
// press Change.
class BulkChangeDialog : public QDialog
{
    Q_OBJECT

public:
    BulkChangeDialog(tolvane::TableRows rows, std::vector<int> chosen, int column, QWidget *parent = nullptr);

    int column() const;
    // What was typed, as Windows-1252 bytes.
    std::string typed() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showColumn();
    void check();

    tolvane::TableRows rows;
    std::vector<int> chosen;
    std::vector<std::string> names; // of the classes chosen, as UTF-8
    QLabel *heading = nullptr;
    QComboBox *columns = nullptr;
    QLabel *now = nullptr;
    QLineEdit *value = nullptr;
    QLabel *help = nullptr;
    QLabel *problem = nullptr;
    QPushButton *change = nullptr;
    QString unreadable; // why Change cannot be pressed
    TypingAnnouncement *problemSaid = nullptr;
};
