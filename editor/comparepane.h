#pragma once

#include "model/compare/comparecommands.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

// Compare Two Classes: two classes of either team side by side, a row a
// value, in a pane of the editor window that follows the classes. Equal
// values are faded, differing ones bold; the last column says which, in
// words, and numbers show their difference and ratio.
class ComparePane : public QWidget
{
    Q_OBJECT

public:
    explicit ComparePane(QWidget *parent);

    QSize sizeHint() const override;

    // Sets the two classes picked side by side, the focus in their values.
    void showClasses(const tolvane::CompareView::TwoClasses &classes);

public slots:
    // The classes' names and values again as they stand now, the two picked
    // kept.
    void refresh();

signals:
    // Close: the pane goes.
    void closeRequested();

private slots:
    void showRows();

private:
    void fillLists(const std::vector<std::string> &classes, int leftPicked, int rightPicked);

    tolvane::CompareView::TwoClasses classes;
    QComboBox *left;
    QComboBox *right;
    QLabel *note;
    QTableWidget *table;
};
