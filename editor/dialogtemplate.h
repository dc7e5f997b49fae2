#pragma once

#include <QFont>
#include <QHash>
#include <QRect>

class QWidget;

#include <span>

// Kinds of control a dialog template places.
enum class ControlKind {
    PushButton,
    CheckBox,
    TextBox,      // free text, scrolls horizontally
    DigitsBox,    // only the digits 0 to 9 from the keyboard
    NumberBox,    // any characters, typing stops at the visible width
    DropDownList, // pick an entry, no free text
    DropDownEdit, // a list with a text field; typed text never becomes an entry
    Label,
    GroupBox,
    Picture,      // a bitmap at its own pixel size in a sunken frame
    StatusLine,   // read-only text without a frame
    ScrollBar,    // hidden
};

enum ControlFlag : unsigned {
    NoFlags = 0,
    Disabled = 1,
    RightAligned = 2,
    WordWrap = 4,
    DefaultButton = 8,
};

// One control of a dialog template; positions and sizes in dialog units.
// A label names its box through `buddy`; a picture shows bitmap `bitmap`.
// `accessible` is the accessible name of a box with no label beside it, or
// the accessible description of a picture.
struct ControlTemplate
{
    int id; // 0: a control the program never addresses
    ControlKind kind;
    const char *text;
    int x, y, w, h;
    unsigned flags = NoFlags;
    int buddy = 0;
    int bitmap = 0;
    const char *accessible = nullptr;
};

// The editor window (template 102) and the about box (template 100), in
// template order, which is also the tab order.
std::span<const ControlTemplate> editorTemplate();
std::span<const ControlTemplate> aboutTemplate();

inline constexpr QSize editorTemplateSize{471, 257};
inline constexpr QSize aboutTemplateSize{235, 222};

// The font of a dialog template: family at 8 points when it is installed,
// otherwise the platform's sans-serif font at 8 points.
QFont dialogFont(const char *family);

// Dialog units of a font: a horizontal unit is a quarter of the average
// width of the letters, a vertical unit an eighth of the font's height.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont &font);

    int baseX() const { return unitX; }
    int baseY() const { return unitY; }
    int toPixelsX(int dlu) const;
    int toPixelsY(int dlu) const;
    QRect toPixels(int x, int y, int w, int h) const;
    QSize toPixels(QSize dlu) const;

private:
    int unitX;
    int unitY;
};

// Creates the controls of a template in parent, in template order, which is
// then also their tab order, and gives each label its buddy. Every control
// with an id is named "control<id>", carries the property "controlId" and
// is returned by id.
QHash<int, QWidget *> createControls(std::span<const ControlTemplate> controls, const DialogUnits &units,
                                     QWidget *parent);
