#include "dialogtemplate.h"

#include "model/session/controlids.h"
#include "model/session/formbindings.h"
#include "picturelabel.h"
#include "statusline.h"
#include "typingfilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <memory>

using namespace tolvane;

namespace {

using K = ControlKind;
namespace Id = ControlId;

// The words of the boxes that show class values are those of their rows in
// formBindings; the template only places them.

constexpr const FormBinding &bindingOf(int box)
{
    const FormBinding *binding = bindingOfControl(box);
    if (!binding)
        throw "a control that shows no class value";
    return *binding;
}

// A control's text is a C string: words the whole of a string literal.
constexpr const char *textOf(std::string_view words)
{
    if (words.empty() || words.data()[words.size()] != '\0')
        throw "no words, or words cut out of a longer text";
    return words.data();
}

// The label beside box; id: the label's own, where the program names it.
constexpr ControlTemplate labelOf(int box, int x, int y, int w, int h, unsigned flags = NoFlags, int id = 0)
{
    return {id, K::Label, textOf(bindingOf(box).label), x, y, w, h, flags, box};
}

constexpr ControlTemplate checkBox(int box, int x, int y, int w, int h)
{
    return {box, K::CheckBox, textOf(bindingOf(box).label), x, y, w, h};
}

// A box with no label beside it, which a screen reader calls by its words.
constexpr ControlTemplate unlabelledBox(int box, ControlKind kind, int x, int y, int w, int h)
{
    return {box, kind, "", x, y, w, h, NoFlags, 0, 0, textOf(bindingOf(box).label)};
}

// The group around box whose title's Alt letter leads to it.
constexpr ControlTemplate groupLeadingTo(int box, int x, int y, int w, int h)
{
    return {0, K::GroupBox, textOf(bindingOf(box).groupTitle), x, y, w, h, NoFlags, box};
}

// Sizes follow the Windows dialog editor's habits: buttons 14 high, edit
// boxes and closed lists 12, check boxes 10, labels 8 and 2 below their box's
// top. A picture takes the size of its bitmap.
constexpr ControlTemplate editorControls[] = {
    {Id::Quit, K::PushButton, "&Quit", 415, 30, 50, 14},

    {Id::PrevClass, K::PushButton, "Prev. Class", 5, 10, 50, 14},
    {Id::DeleteClass, K::PushButton, "Delete Class", 65, 10, 50, 14, Disabled},
    {Id::AddClass, K::PushButton, "Add Class", 125, 10, 50, 14},
    {Id::NextClass, K::PushButton, "Next Class", 185, 10, 50, 14},
    {Id::SaveToMemory, K::PushButton, "&Save to Memory", 290, 10, 65, 14},
    {Id::WriteOut, K::PushButton, "&Write Out", 360, 10, 50, 14},
    {Id::LoadConfig, K::PushButton, "&Load Config", 415, 10, 50, 14},

    labelOf(Id::ClassName, 3, 32, 36, 8),
    {Id::ClassName, K::TextBox, "", 40, 30, 122, 12},
    labelOf(Id::ConfigFile, 169, 32, 36, 8, NoFlags, Id::ConfigFileLabel),
    {Id::ConfigFile, K::TextBox, "", 205, 30, 75, 12},
    {Id::About, K::PushButton, "&About", 360, 30, 50, 14},

    groupLeadingTo(Id::Scanner, 4, 50, 462, 45),
    checkBox(Id::Scanner, 10, 60, 73, 10),
    checkBox(Id::KnifeThrow, 10, 70, 73, 10),
    checkBox(Id::LaserGuidedRockets, 10, 80, 73, 10),
    checkBox(Id::ThrowCaltrops, 85, 60, 78, 10),
    checkBox(Id::PlaceSentries, 85, 70, 78, 10),
    checkBox(Id::PlaceHealthDepot, 85, 80, 78, 10),
    checkBox(Id::PlaceDetpack, 165, 60, 68, 10),
    checkBox(Id::CanDisguise, 165, 70, 68, 10),
    checkBox(Id::CanFeignDeath, 165, 80, 68, 10),
    checkBox(Id::SniperAutozoom, 235, 60, 78, 10),
    checkBox(Id::SniperScope, 235, 70, 78, 10),
    checkBox(Id::SniperLaserSight, 235, 80, 78, 10),
    checkBox(Id::At4Scope, 315, 60, 78, 10),
    checkBox(Id::PlaceAmmoDepot, 315, 70, 78, 10),
    checkBox(Id::HasNightVision, 315, 80, 78, 10),
    checkBox(Id::CanUseTurrets, 395, 60, 69, 10),
    checkBox(Id::CanHealOthers, 395, 70, 69, 10),
    checkBox(Id::DisarmDetpack, 395, 80, 69, 10),

    {0, K::GroupBox, "Armor", 5, 95, 120, 75},
    labelOf(Id::Resistance, 10, 106, 35, 8),
    {Id::Resistance, K::DropDownEdit, "", 46, 104, 74, 12},
    {Id::ArmorPicture, K::Picture, "", 10, 120, 0, 0, NoFlags, 0, 137, "Armor: a standing figure"},
    {Id::Helmet, K::DigitsBox, "", 46, 122, 25, 12},
    labelOf(Id::Helmet, 74, 124, 48, 8, NoFlags, Id::HelmetLabel),
    {Id::KevlarVest, K::DigitsBox, "", 46, 136, 25, 12},
    labelOf(Id::KevlarVest, 74, 138, 48, 8, NoFlags, Id::KevlarVestLabel),
    {Id::Trousers, K::DigitsBox, "", 46, 150, 25, 12},
    labelOf(Id::Trousers, 74, 152, 48, 8, NoFlags, Id::TrousersLabel),

    groupLeadingTo(Id::Health, 135, 95, 85, 29),
    unlabelledBox(Id::Health, K::DigitsBox, 141, 106, 32, 12),
    {0, K::Label, "/", 175, 108, 5, 8},
    unlabelledBox(Id::MaxHealth, K::DigitsBox, 182, 106, 32, 12),

    labelOf(Id::Speed, 127, 131, 50, 8, RightAligned),
    {Id::Speed, K::NumberBox, "", 180, 129, 42, 12},
    labelOf(Id::Jump, 127, 145, 50, 8, RightAligned),
    {Id::Jump, K::NumberBox, "", 180, 143, 42, 12},
    labelOf(Id::UnderwaterAir, 127, 158, 50, 8, RightAligned),
    {Id::UnderwaterAir, K::NumberBox, "", 180, 156, 42, 12},

    groupLeadingTo(Id::CanBeAssassin, 230, 95, 85, 55),
    checkBox(Id::CanBeAssassin, 236, 106, 76, 10),
    checkBox(Id::CanBeBodyguard, 236, 116, 76, 10),
    checkBox(Id::CanBeHunted, 236, 126, 76, 10),
    checkBox(Id::CanBeVip, 236, 136, 76, 10),

    {0, K::Picture, "", 332, 108, 0, 0, NoFlags, 0, 138, "Logo of the Tolvane Class Creator authors"},

    {0, K::GroupBox, "Calculate", 406, 98, 59, 43},
    {Id::Calculate, K::PushButton, "Calculate!", 412, 108, 47, 14},
    {Id::CalculateResult, K::DigitsBox, "", 412, 125, 47, 12, Disabled, 0, 0, "Calculated abilities"},

    {Id::ItemList, K::DropDownList, "", 235, 155, 160, 12, NoFlags, 0, 0, "Inventory item"},
    {Id::Amount, K::DigitsBox, "", 400, 155, 27, 12, NoFlags, 0, 0, "Amount"},
    {Id::AddItem, K::PushButton, "ADD!", 430, 155, 35, 14},
    unlabelledBox(Id::StartingWeaponList, K::DropDownList, 235, 170, 160, 12),
    {Id::ShowInventory, K::PushButton, "Show Inventory", 400, 170, 65, 14},
    {Id::TitlePicture, K::Picture, "", 235, 198, 0, 0, NoFlags, 0, 143, "Tolvane Class Creator"},

    groupLeadingTo(Id::Shells, 5, 175, 225, 70),
    labelOf(Id::Shells, 8, 188, 40, 8, RightAligned),
    {Id::Shells, K::DigitsBox, "", 50, 186, 25, 12},
    labelOf(Id::Bullets357, 8, 202, 40, 8, RightAligned),
    {Id::Bullets357, K::DigitsBox, "", 50, 200, 25, 12},
    labelOf(Id::Rockets, 8, 216, 40, 8, RightAligned),
    {Id::Rockets, K::DigitsBox, "", 50, 214, 25, 12},
    labelOf(Id::Cells, 8, 230, 40, 8, RightAligned),
    {Id::Cells, K::DigitsBox, "", 50, 228, 25, 12},
    labelOf(Id::PistolMag, 77, 188, 46, 8, RightAligned),
    {Id::PistolMag, K::DigitsBox, "", 125, 186, 25, 12},
    labelOf(Id::Cal45Mag, 77, 202, 46, 8, RightAligned),
    {Id::Cal45Mag, K::DigitsBox, "", 125, 200, 25, 12, Disabled},
    labelOf(Id::Mag9mm, 77, 216, 46, 8, RightAligned),
    {Id::Mag9mm, K::DigitsBox, "", 125, 214, 25, 12},
    labelOf(Id::ArMag, 77, 230, 46, 8, RightAligned),
    {Id::ArMag, K::DigitsBox, "", 125, 228, 25, 12},
    labelOf(Id::Cal308Mag, 151, 188, 46, 8, RightAligned),
    {Id::Cal308Mag, K::DigitsBox, "", 199, 186, 25, 12},
    labelOf(Id::Bb762, 151, 202, 46, 8, RightAligned),
    {Id::Bb762, K::DigitsBox, "", 199, 200, 25, 12},
    {0, K::Label, "40mm Gren", 151, 216, 46, 8, RightAligned, Id::Gren40mm},
    {Id::Gren40mm, K::DigitsBox, "", 199, 214, 25, 12, Disabled},
    labelOf(Id::Grenades, 151, 230, 46, 8, RightAligned),
    {Id::Grenades, K::DigitsBox, "", 199, 228, 25, 12},

    {Id::StatusLine, K::StatusLine, "", 0, 245, 233, 12, 0, 0, 0, "Status"},
    {Id::HiddenScrollBar, K::ScrollBar, "", 0, 0, 0, 0},
};

// The words by which t names box: the text of a label beside it or of a
// check box, or what a screen reader calls a box; nullptr for none.
constexpr const char *nameOf(const ControlTemplate &t, int box)
{
    if (t.kind == K::Label)
        return t.buddy == box ? t.text : nullptr;
    if (t.id != box)
        return nullptr;
    return t.kind == K::CheckBox ? t.text : t.accessible;
}

// Whether group encloses t, by its top left corner, as the window puts the
// controls into their groups.
constexpr bool encloses(const ControlTemplate &group, const ControlTemplate &t)
{
    return t.x >= group.x && t.x < group.x + group.w && t.y >= group.y && t.y < group.y + group.h;
}

// The box of a row stands in the template once, named once in the words of
// its row; the group whose title is the row's encloses it.
constexpr bool placesWordsOf(const FormBinding &binding)
{
    const auto box = std::ranges::find(editorControls, binding.id, &ControlTemplate::id);
    if (box == std::end(editorControls) || std::ranges::count(editorControls, binding.id, &ControlTemplate::id) != 1)
        return false;
    int names = 0, groups = 0;
    for (const ControlTemplate &t : editorControls) {
        if (const char *name = nameOf(t, binding.id)) {
            ++names;
            if (std::string_view(name) != binding.label)
                return false;
        }
        if (t.kind == K::GroupBox && t.buddy == binding.id) {
            ++groups;
            if (std::string_view(t.text) != binding.groupTitle || !encloses(t, *box))
                return false;
        }
    }
    return names == 1 && groups == (binding.groupTitle.empty() ? 0 : 1);
}

static_assert(std::ranges::all_of(formBindings, placesWordsOf),
              "every box that shows a class value stands in the template once, named once in its row's words");
static_assert(
    [] {
        for (const ControlTemplate &t : editorControls) {
            if (t.id != 0 && std::ranges::count(editorControls, t.id, &ControlTemplate::id) != 1)
                return false;
        }
        return true;
    }(),
    "no two controls of the template share an id");

constexpr ControlTemplate aboutControls[] = {
    {0, K::Label, "by the Tolvane authors", 16, 15, 100, 8},
    {Id::Ok, K::PushButton, "OK", 172, 7, 50, 14, DefaultButton},
    {0, K::Picture, "", 11, 35, 0, 0, NoFlags, 0, 146,
     "Tolvane Class Creator. Code: the Tolvane Class Creator authors. "
     "Artwork: the Tolvane Class Creator authors."},
    {0, K::GroupBox, "Programm Information", 23, 146, 188, 69},
    {0, K::Label,
     "Like this program? A small donation keeps its authors going. "
     "Please write to classcreator@tolvane.example.org",
     31, 156, 169, 24, WordWrap},
    {0, K::Label,
     "Spare computer parts or a little money also keep the authors working "
     "on the Tolvane modification. Thank you!",
     31, 180, 175, 28, WordWrap},
};

// A list with a text field in which only a pick from the list selects an
// entry. When editing ends, Qt selects the entry that equals the typed text;
// the pick made before is put back, and the typed text stays in the field.
void keepPickedEntry(QComboBox *list)
{
    auto *edit = new QLineEdit(list);
    auto picked = std::make_shared<int>(-1);
    QObject::connect(edit, &QLineEdit::editingFinished, list, [list, picked] { *picked = list->currentIndex(); });
    list->setLineEdit(edit); // Qt's own reaction runs between the two
    QObject::connect(edit, &QLineEdit::editingFinished, list, [list, edit, picked] {
        if (list->currentIndex() == *picked)
            return;
        const QString typed = edit->text();
        list->setCurrentIndex(*picked);
        edit->setText(typed);
    });
}

// A sunken etched frame, pixel for pixel as qDrawShadeRect draws one at a
// scale of 1, in filled strips: its lines took a tenth of the first paint.
void drawEtchedFrame(QPainter &painter, const QRect &r, const QPalette &palette)
{
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const QColor dark = palette.dark().color();
    const QColor light = palette.light().color();
    painter.fillRect(x, y, w - 1, 1, dark);
    painter.fillRect(x, y + h - 2, w - 1, 1, dark);
    painter.fillRect(x, y, 1, h - 1, dark);
    painter.fillRect(x + w - 2, y, 1, h - 1, dark);
    painter.fillRect(x + 1, y + 1, w - 3, 1, light);
    painter.fillRect(x + 1, y + 2, 1, h - 4, light);
    painter.fillRect(x, y + h - 1, w, 1, light);
    painter.fillRect(x + w - 1, y, 1, h - 1, light);
}

// A group box with its title on the frame's top line, as dialog templates
// expect it: controls placed a few units under the group's top then stay
// clear of the frame whatever the style draws above its frames.
class TemplateGroupBox : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        // An etched line; styles draw their own group frames under the title.
        drawEtchedFrame(painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette());

        // A title with an Alt letter shows it underlined where the style does;
        // it starts a letter's width in (not averageCharWidth(), see letterWidth()).
        const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this);
        const int mnemonic = underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
        const QRect titleArea(metrics.horizontalAdvance(QLatin1Char('x')), 0,
                              metrics.size(mnemonic, title()).width() + 4, metrics.height());
        painter.fillRect(titleArea, palette().window());
        style()->drawItemText(&painter, titleArea, Qt::AlignCenter | mnemonic, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
};

// A group title's Alt letter takes the focus to the box the template names,
// however the focus moved inside the group before: a group box by itself
// goes back to the box that had the focus last.
class GroupLetter : public QObject
{
public:
    GroupLetter(QWidget *box, QGroupBox *group) : QObject(group), box(box) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        box->setFocus(Qt::ShortcutFocusReason);
        box->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        return true;
    }

private:
    QWidget *box;
};

QWidget *createControl(const ControlTemplate &t, QWidget *parent)
{
    const QString text = QString::fromUtf8(t.text);
    switch (t.kind) {
    case ControlKind::PushButton: {
        auto *button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(t.flags & DefaultButton);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::TextBox:
    case ControlKind::DigitsBox:
    case ControlKind::NumberBox: {
        auto *edit = new QLineEdit(text, parent);
        if (t.kind != ControlKind::TextBox)
            edit->installEventFilter(new TypingFilter(t.kind, edit));
        return edit;
    }
    case ControlKind::DropDownList:
    case ControlKind::DropDownEdit: {
        auto *list = new QComboBox(parent);
        if (t.kind == ControlKind::DropDownEdit) {
            keepPickedEntry(list);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->setCompleter(nullptr);
        }
        list->setMaxVisibleItems(16);
        return list;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(text, parent);
        label->setAlignment((t.flags & RightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        label->setWordWrap(t.flags & WordWrap);
        if (t.flags & WordWrap)
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::GroupBox:
        return new TemplateGroupBox(text, parent);
    case ControlKind::Picture:
        return new PictureLabel(t.bitmap, parent);
    case ControlKind::StatusLine:
        return new StatusLine(parent);
    case ControlKind::ScrollBar: {
        auto *bar = new QScrollBar(Qt::Horizontal, parent);
        bar->setVisible(false);
        return bar;
    }
    }
    return nullptr;
}

} // namespace

QList<QWidget *> createControls(std::span<const ControlTemplate> controls, QWidget *parent, Framing framing)
{
    QList<QWidget *> created;
    QHash<int, QWidget *> byId;
    QList<std::pair<QWidget *, int>> buddies;
    QList<std::pair<QRect, QWidget *>> groups;
    for (const ControlTemplate &t : controls) {
        const auto group = std::ranges::find_if(groups, [&t](const auto &g) { return g.first.contains(t.x, t.y); });
        QWidget *widget = createControl(t, group == groups.end() ? parent : group->second);
        if (t.kind == ControlKind::GroupBox && framing == Framing::InGroupBoxes)
            groups.append({QRect(t.x, t.y, t.w, t.h), widget});
        created.append(widget);
        widget->setEnabled(!(t.flags & Disabled));
        if (t.accessible) {
            const QString accessible = QString::fromUtf8(t.accessible);
            t.kind == ControlKind::Picture ? widget->setAccessibleDescription(accessible)
                                           : widget->setAccessibleName(accessible);
        }
        if (t.buddy)
            buddies.append({widget, t.buddy});
        if (t.id) {
            widget->setObjectName(QStringLiteral("control%1").arg(t.id));
            byId.insert(t.id, widget);
        }
    }
    for (const auto &[named, buddy] : buddies) {
        QWidget *box = byId.value(buddy);
        if (auto *group = qobject_cast<QGroupBox *>(named)) {
            group->installEventFilter(new GroupLetter(box, group));
            continue;
        }
        auto *label = static_cast<QLabel *>(named);
        label->setBuddy(box);
        // The text field of a list takes the focus, so it needs the name too.
        if (auto *list = qobject_cast<QComboBox *>(box); list && list->lineEdit())
            list->lineEdit()->setAccessibleName(QString(label->text()).remove(u'&'));
    }
    return created;
}

std::span<const ControlTemplate> editorTemplate()
{
    return editorControls;
}

std::span<const ControlTemplate> aboutTemplate()
{
    return aboutControls;
}
