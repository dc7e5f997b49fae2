#pragma once

#include "dialogtemplate.h"

#include <QHash>
#include <QScrollArea>

class DialogUnits;

// The width in pixels that the fixed text of control t, made as widget,
// needs (a label's or a check box's is the width of its size hint); 0 for a
// control without one or with a text that wraps.
int fixedTextWidth(const ControlTemplate &t, QWidget *widget);

// The controls of a dialog template, placed in dialog units of the
// template's font at a size that follows the system font. When the window
// would not fit the screen's available area, the font steps down, to no less
// than minimumPoints; beyond that the form scrolls. The fit is made each time
// the window is shown and when the system font changes, and the window then
// takes the size the form asks for. In a larger window the form is centred.
class TemplateForm : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr qreal templatePoints = 8;
    static constexpr qreal minimumPoints = 6;
    static constexpr qreal step = 0.5;

    TemplateForm(std::span<const ControlTemplate> controls, QSize templateSize, const char *fontFamily, QWidget *parent,
                 Framing framing = Framing::Flat);

    // The widget that holds the controls, and its controls by id.
    QWidget *form() const { return widget(); }
    const QHash<int, QWidget *> &controls() const { return byId; }

    // The size the system font asks for, and the size the form has now.
    qreal preferredPoints() const;
    qreal points() const { return currentPoints; }

    // Picks the largest font size, in steps down from the preferred one, at
    // which the form fits into space, and shows as much of the form as space
    // holds.
    void fitInto(QSize space);

    // Places the controls for the template's font at points.
    void layOut(qreal points);
    // The room the window leaves this form on its screen's available area.
    QSize roomOnScreen() const;
    // Fits the form and the window again where it stands, once whatever the
    // window shows besides the form has taken a new font too.
    void refitWindow();
    // Scrolls the form so that control shows whole, where it can.
    void scrollIntoView(QWidget *control);

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum class Refit : bool { Always, WhenRoomChanged };

    DialogUnits unitsForContents() const;
    QString layoutKey() const;
    void fitWindowToScreen(bool centre, Refit refit);

    std::span<const ControlTemplate> controlTemplates;
    QSize templateSize;
    const char *fontFamily;
    QList<QWidget *> created;
    QHash<int, QWidget *> byId;
    qreal currentPoints = 0;
    QString laidOutFor;
    QSize shown;
    // The room of the last fit; invalid once laid out otherwise.
    QSize fittedRoom;
};
