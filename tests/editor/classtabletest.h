// The class table pane as a user drives it beside the form: the editor with
// three classes loaded and the table opened with Ctrl+T, found by the titles
// it shows.
#pragma once

#include "dialogtesthelpers.h"

#include "classdata/format/classfilereader.h"
#include "classtablewindow.h"
#include "model/session/controlids.h"
#include "windowcommands.h"

#include <QAction>
#include <QTableView>

// The cell of a class table's row in the column of that title.
inline QModelIndex cellOf(const QAbstractItemModel &model, int row, const char *title)
{
    for (int column = 0; column < model.columnCount(); ++column) {
        if (model.headerData(column, Qt::Horizontal).toString() == QLatin1String(title))
            return model.index(row, column);
    }
    ADD_FAILURE() << "no column " << title;
    return {};
}

// A class table's row headers in the order shown: "0  A, 1  B".
inline QString rowHeaders(const QAbstractItemModel &model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.headerData(row, Qt::Vertical).toString();
    return names.join(u", ");
}

class ClassTableTest : public DialogTest
{
protected:
    // Loads A, B and C, B with a health of 90 and a speed the game reads
    // otherwise, and opens the table with Ctrl+T.
    void openTable()
    {
        std::string bytes = classFile({"A", "B", "C"});
        const std::size_t b = bytes.find("classname B");
        bytes.replace(bytes.find("speed", b), 14, "speed 10.5");
        bytes.replace(bytes.find("health", b), 10, "health 90");
        writeFile(QStringLiteral("tvclass_seals.cfg"), bytes);
        showDialog();
        trigger(CommandId::LoadConfig);
        keys("Ctrl+T");
        takeTable();
    }

    // The class table that opened, active, as the window manager would make
    // it, which the offscreen platform has not.
    void takeTable()
    {
        table = dialog->classTable();
        ASSERT_TRUE(table && table->isVisible());
        QApplication::setActiveWindow(table);
        ASSERT_TRUE(QTest::qWaitForWindowActive(table));
        grid = table->table();
    }

    QModelIndex cell(int row, const char *title) const { return cellOf(*grid->model(), row, title); }
    // The row headers in the order shown: "1  B".
    QString rows() const { return rowHeaders(*grid->model()); }

    void menu(const char *text)
    {
        for (QAction *action : table->findChildren<QAction *>()) {
            if (QString(action->text()).remove(u'&') == QLatin1String(text))
                return action->trigger();
        }
        ADD_FAILURE() << "no command " << text;
    }

    // Types into the cell, from its first key, and ends with key.
    void typeInCell(const QModelIndex &index, const QString &text, Qt::Key key = Qt::Key_Return)
    {
        grid->setFocus();
        grid->setCurrentIndex(index);
        QTest::keyClicks(grid, text.left(1));
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
        QTest::keyClick(QApplication::focusWidget(), key);
        // The editor hands its text over once the key is handled, and the
        // table shows the stored value after that (a timer of 0).
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Typed where the focus is.
    static void keys(const char *sequence)
    {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(sequence)));
    }

    ClassTableWindow *table = nullptr;
    QTableView *grid = nullptr;
};
