#pragma once

#include "model/table/classtableediting.h"

#include <QObject>

class ClassTableWindow;
class CompareWindows;
class CreatorDialog;
class PaneDock;
class QWidget;

// The class table, a pane of the editor window: opened and closed from the
// View menu, following the classes as the session shows them.
class ClassTablePart : public tolvane::TableView
{
public:
    ClassTablePart(CreatorDialog &dialog, CompareWindows &compare);

    void showClassTable(const std::string &status) override;

    // Shown, the focus in it.
    void open();
    // Shown, or closed when the focus is in it.
    void toggle();
    // Shown with the focus in its filter bar.
    void filterClasses();
    // Show Other Team: checked while the class table shows the other team.
    void toggleOtherTeam();
    // Copy to Other Team, and the table open to show the copies.
    void copyToOtherTeam();
    ClassTableWindow *window() const;
    // The pane, made now if need be; the pane if it was made.
    PaneDock *dock();
    PaneDock *madeDock() const { return tableDock; }
    // Before the window goes: the focus moving as its widgets go is no news.
    void stopFollowingFocus();

private:
    QWidget *makeTable(QWidget *parent);
    // While the focus is in the table, its own keys win over the window's
    // same keys (Ctrl+F, Ctrl+K, Alt+Home).
    void handOverKeys(QWidget *focus);

    CreatorDialog &dialog;
    CompareWindows &compareWindows;
    PaneDock *tableDock = nullptr;
    bool keysHandedOver = false;
    QMetaObject::Connection focusFollowed;
};
