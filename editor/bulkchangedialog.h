#pragma once

#include "classdata/format/classrecord.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks what to change in one column of several classes: a value to set, an
// amount to add, a factor, a tick. It shows the classes' value now, or
// "(different)", and what cannot be read before anything is changed.
class BulkChangeDialog : public QDialog
{
    Q_OBJECT

public:
    BulkChangeDialog(const tolvane::EditorState &state, std::vector<int> chosen, int column, QWidget *parent = nullptr);

    int column() const;
    // What was typed, as Windows-1252 bytes.
    std::string typed() const;

private:
    void showColumn();
    void check();

    const tolvane::EditorState &state;
    std::vector<int> chosen;
    QComboBox *columns = nullptr;
    QLabel *now = nullptr;
    QLineEdit *value = nullptr;
    QLabel *help = nullptr;
    QLabel *problem = nullptr;
    QPushButton *change = nullptr;
};
