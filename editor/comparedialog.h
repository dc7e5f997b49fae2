#pragma once

#include "model/compare/comparecommands.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;

// Compare Two Classes: two classes of either team side by side, a row a
// value. Equal values are faded, differing ones bold; the last column says
// which, in words, and numbers show their difference and ratio.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    CompareDialog(const tolvane::CompareView::TwoClasses &classes, QWidget *owner);

private slots:
    void showRows();

private:
    std::function<std::vector<tolvane::ComparisonRow>(int, int)> rows;
    QComboBox *left;
    QComboBox *right;
    QTableWidget *table;
};
