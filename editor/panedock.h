#pragma once

#include <QDockWidget>

#include <functional>

// A pane of the editor window (the class table, Problems, the chart): docked
// beside or below the form, tabbed with the others, or floating, and brought
// back where the user left it. What it shows is made the first time it is
// shown, so that a start without it costs nothing.
class PaneDock : public QDockWidget
{
    Q_OBJECT

public:
    PaneDock(const QString &title, const QString &name, std::function<QWidget *(QWidget *parent)> make,
             QWidget *window);

    // What the pane shows, made now if it was not yet.
    QWidget *content();
    // Nothing until it was first shown.
    QWidget *madeContent() const { return widget(); }

    // Shows the pane, raised above the panes tabbed with it, the focus in it.
    void bringUp();

    // Whether the user or the settings have placed the pane: else the window
    // places it when it is first shown.
    bool placed = false;

protected:
    void showEvent(QShowEvent *event) override;
    // Esc that nothing in the pane took closes it, as it closed a window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::function<QWidget *(QWidget *parent)> make;
};
