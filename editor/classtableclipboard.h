#pragma once

#include "model/table/tablepaste.h"

class ClassTableModel;
class QTableView;
namespace tolvane {
class ClassTableEditing;
} // namespace tolvane

// Copy and paste between the class table and spreadsheets: hands the cells
// the user sees and selected, and the clipboard's text, to the session.
class ClassTableClipboard
{
public:
    ClassTableClipboard(tolvane::ClassTableEditing &editing, const ClassTableModel &model, const QTableView &view)
        : editing(editing), model(model), view(view)
    {
    }

    // The rows holding a selected cell, under the columns holding one, as
    // tab-separated text with the columns' titles first.
    void copy() const;
    // Such text into the selection.
    void paste();

    // The cells shown and selected, in the order shown.
    tolvane::TableGrid grid() const;

private:
    tolvane::ClassTableEditing &editing;
    const ClassTableModel &model;
    const QTableView &view;
};
