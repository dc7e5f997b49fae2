#pragma once

class QWidget;

// The accessible interfaces of the program's own, in place of the ones Qt
// would give, and the kinds of control they are for.
enum class AccessibleKind {
    Plain,      // what Qt gives; a one-line text box has its own anyway
    NamedList,  // a list named by its label, with its entry as its value
    StatusLine, // the status line as a status bar
    Window,     // a top-level window that screen readers treat as a main window
};

// Gives widget the interface of kind.
void useAccessibleInterface(QWidget *widget, AccessibleKind kind);

// Every one-line text box gets an interface of the program's own, which reads
// its text whole (see accessibleinterfaces.cpp); this gives it to the boxes
// under root whose interfaces Qt made before.
void useLineEditInterfaces(QWidget *root);
