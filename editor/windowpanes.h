#pragma once

#include <QString>

#include <functional>
#include <utility>
#include <vector>

class PaneDock;
class QMainWindow;
class QWidget;
class TemplateForm;

// The panes of the editor window around its form: where a pane goes the
// first time it is shown, the room the form leaves them, and their layout
// kept in the settings from one run to the next.
class WindowPanes
{
public:
    WindowPanes(QMainWindow &window, TemplateForm &form, const QWidget &statusLine)
        : window(window), form(form), statusLine(statusLine)
    {
    }

    // Each pane is made when first needed, by name: those shown when the
    // last run ended at once, the others where they were once made.
    using PaneMakers = std::vector<std::pair<QString, std::function<void()>>>;

    // The panes as the user left them: docked, tabbed or floating, shown or not.
    void restore(const PaneMakers &makers);
    void save() const;
    // Adds a pane made now, where the last run left it.
    PaneDock *add(PaneDock *pane);
    // Shows pane; the first time where the form keeps its room: tabbed with
    // table where that is docked, else beside the form or below it where the
    // screen has room for it, else floating beside the window.
    void show(PaneDock *pane, PaneDock *table);
    // The window grows to the screen's available area for its docked panes,
    // the form steps down a size where it would not fit beside them, and the
    // panes take the rest.
    void makeRoom();

private:
    QMainWindow &window;
    TemplateForm &form;
    const QWidget &statusLine;
    // Whether the settings held the panes of an earlier run.
    bool restored = false;
};
