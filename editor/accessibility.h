#pragma once

#include <QHash>

class QAbstractItemView;
class QComboBox;
class QString;
class QWidget;

// What a screen reader and the keyboard get from the editor window's form,
// without moving a control: the window as a main window, each control inside
// the group box that frames it, the lists and the Amount box named for what
// they hold (the item and starting-weapon lists with tooltips that say so
// too), the status line as a status bar whose messages are spoken, the
// Calculate! result reachable by Tab and spoken, Alt letters, a tab order in
// reading order and a visible focus from the start.
void setUpAccessibility(QWidget *form, const QHash<int, QWidget *> &controls);

// A list that a screen reader names by its label (or accessible name), reads
// with its entry as its value, and whose new entry it says when a key or the
// wheel changes the closed list.
void speakListEntries(QComboBox *list);

// An item view whose current entry a screen reader says each time the view
// gets the focus, as it does when the entry changes; Qt tells only the view.
void speakCurrentEntryOnFocus(QAbstractItemView *view);

// Has a screen reader say text, as a notification of the status line of
// setUpAccessibility, a moment after the command that gives it; the texts
// given in that moment are said together. Nothing is said while no screen
// reader listens.
void announce(const QString &text);
