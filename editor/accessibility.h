#pragma once

#include <QHash>

#include <functional>

class QAbstractItemView;
class QComboBox;
class QString;
class QTableView;
class QWidget;

// What a screen reader and the keyboard get from the editor window's form,
// without moving a control (the form made each control inside the group box
// that frames it): the window as a main window, the lists and the Amount box
// named for what they hold (the item and starting-weapon lists with tooltips
// that say so too), the status line as a status bar whose messages are
// spoken, the Calculate! result reachable by Tab and spoken, Alt letters, a
// tab order in reading order and a visible focus from the start.
void setUpAccessibility(QWidget *form, const QHash<int, QWidget *> &controls);

// A list that a screen reader names by its label (or accessible name), reads
// with its entry as its value, and whose new entry it says when a key or the
// wheel changes the closed list.
void speakListEntries(QComboBox *list);

// An item view whose current entry a screen reader says each time the view
// gets the focus, as it does when the entry changes; Qt tells only the view.
void speakCurrentEntryOnFocus(QAbstractItemView *view);

// Tab and Shift+Tab leave the view for the next or previous control in one
// press, as do Ctrl+Tab and Ctrl+Shift+Tab, by which one leaves a control
// that takes Tab itself; the arrow keys move inside it.
void letTabLeave(QAbstractItemView *view);

// Sizes the table's columns to their contents and makes the table at least
// as wide as they are: a screen reader reads a row by the cells in view, and
// a table scrolled sideways was heard as half rows. Called again after the
// table is filled anew; a stretched last column would stay wide when the
// table narrows.
void keepColumnsInView(QTableView *table);

// Has a screen reader say text, as a notification of the status line of
// setUpAccessibility, a moment after the command that gives it; the texts
// given in that moment are said together. Nothing is said while no screen
// reader listens.
void announce(const QString &text);
// What announce() says goes to listener too, and is said while no screen
// reader listens, so that tests hear it; nullptr again: to no one.
void hearAnnouncements(std::function<void(const QString &)> listener);
// Whether a text given to announce(), or to a TypingAnnouncement, waits to
// be said.
bool announcementsWaiting();
