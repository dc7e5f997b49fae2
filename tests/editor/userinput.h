#pragma once

// What a user does to the form: type into a box, pick a list entry.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

// Replaces the text of a box by typing, as a user would: select all, type.
inline void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    for (QChar c : text) {
        // QTest knows keys for ASCII only; other characters come as text.
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Picks the entry with this text from the list's popup: the pointer rests on
// it, then Enter takes it.
inline void pick(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    list->showPopup();
    QAbstractItemView *view = list->view();
    view->setCurrentIndex(view->model()->index(index, list->modelColumn(), view->rootIndex()));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(list->currentIndex(), index);
    ASSERT_FALSE(view->isVisible());
}
