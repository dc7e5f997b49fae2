#pragma once

#include <QList>
#include <QSize>

#include <span>

class QWidget;

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
    Picture,    // a bitmap at its own pixel size in a sunken frame
    StatusLine, // read-only text without a frame
    ScrollBar,  // hidden
};

enum ControlFlag : unsigned {
    NoFlags = 0,
    Disabled = 1,
    RightAligned = 2,
    WordWrap = 4,
    DefaultButton = 8,
};

// One control of a dialog template; positions and sizes in dialog units.
// A label names its box through `buddy`, and a group box names through it
// the box its title's Alt letter leads to; a picture shows bitmap `bitmap`.
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
// The editor's form without the status line's row along its bottom, which
// the window shows under the form.
inline constexpr QSize editorFormSize{471, 250};
inline constexpr QSize aboutTemplateSize{235, 222};

// Where a control whose top left corner lies in a group box goes: into parent
// beside the group box, or into the group box (the first one in template
// order that holds the corner, which comes before the control), so that a
// screen reader names the group with it ("Scanner", in "Class Abilities").
enum class Framing { Flat, InGroupBoxes };

// Creates the controls of a template in parent, in template order, which is
// then also their tab order, and gives each label and group box its buddy
// (a group's Alt letter leads to it). Every control
// with an id is named "control<id>".
// Returns one widget for each entry of the template, in its order; placing
// them is up to the caller.
QList<QWidget *> createControls(std::span<const ControlTemplate> controls, QWidget *parent,
                                Framing framing = Framing::Flat);
