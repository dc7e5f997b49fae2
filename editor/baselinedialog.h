#pragma once

#include "model/compare/comparecommands.h"

#include <QDialog>

class QComboBox;
class QPlainTextEdit;

// Compare with File: the classes in memory against a baseline file, as
// patch notes in plain text or Markdown, to read, copy or save.
class BaselineDialog : public QDialog
{
    Q_OBJECT

public:
    BaselineDialog(const tolvane::CompareView::BaselineView &baseline, QWidget *owner);

private slots:
    void showNotes();
    void copyNotes();
    void saveNotes();

private:
    bool markdown() const;

    tolvane::CompareView::BaselineView baseline;
    QComboBox *format;
    QPlainTextEdit *notes;
};
