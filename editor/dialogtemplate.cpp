#include "dialogtemplate.h"

#include "model/session/controlids.h"
#include "picturelabel.h"
#include "statusline.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <qdrawutil.h>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <memory>

using namespace tolvane;

namespace {

using K = ControlKind;
namespace Id = ControlId;

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

    {0, K::Label, "Classname", 3, 32, 36, 8, NoFlags, Id::ClassName},
    {Id::ClassName, K::TextBox, "", 40, 30, 122, 12},
    {Id::ConfigFileLabel, K::Label, "Config File", 169, 32, 36, 8, NoFlags, Id::ConfigFile},
    {Id::ConfigFile, K::TextBox, "", 205, 30, 75, 12},
    {Id::About, K::PushButton, "&About", 360, 30, 50, 14},

    {0, K::GroupBox, "Class Abilities", 4, 50, 462, 45},
    {Id::Scanner, K::CheckBox, "Scanner", 10, 60, 73, 10},
    {Id::KnifeThrow, K::CheckBox, "Knife Throw", 10, 70, 73, 10},
    {Id::LaserGuidedRockets, K::CheckBox, "Laserguided Rox", 10, 80, 73, 10},
    {Id::ThrowCaltrops, K::CheckBox, "Throw Caltrops", 85, 60, 78, 10},
    {Id::PlaceSentries, K::CheckBox, "Place Sentrys", 85, 70, 78, 10},
    {Id::PlaceHealthDepot, K::CheckBox, "Place Healdepot", 85, 80, 78, 10},
    {Id::PlaceDetpack, K::CheckBox, "Place Detpack", 165, 60, 68, 10},
    {Id::CanDisguise, K::CheckBox, "Can Disguise", 165, 70, 68, 10},
    {Id::CanFeignDeath, K::CheckBox, "Can Feign Death", 165, 80, 68, 10},
    {Id::SniperAutozoom, K::CheckBox, "Sniper Autozoom", 235, 60, 78, 10},
    {Id::SniperScope, K::CheckBox, "Sniper Scope", 235, 70, 78, 10},
    {Id::SniperLaserSight, K::CheckBox, "Sniper Lasersight", 235, 80, 78, 10},
    {Id::At4Scope, K::CheckBox, "AT-4 Scope", 315, 60, 78, 10},
    {Id::PlaceAmmoDepot, K::CheckBox, "Place Ammodepot", 315, 70, 78, 10},
    {Id::HasNightVision, K::CheckBox, "Has Nightvision", 315, 80, 78, 10},
    {Id::CanUseTurrets, K::CheckBox, "Can use Turrets", 395, 60, 69, 10},
    {Id::CanHealOthers, K::CheckBox, "Can Heal Others", 395, 70, 69, 10},
    {Id::DisarmDetpack, K::CheckBox, "Disarm Detpack", 395, 80, 69, 10},

    {0, K::GroupBox, "Armor", 5, 95, 120, 75},
    {0, K::Label, "Resistance", 10, 106, 35, 8, NoFlags, Id::Resistance},
    {Id::Resistance, K::DropDownEdit, "", 46, 104, 74, 12},
    {Id::ArmorPicture, K::Picture, "", 10, 120, 0, 0, NoFlags, 0, 137, "Armor: a standing figure"},
    {Id::Helmet, K::DigitsBox, "", 46, 122, 25, 12},
    {Id::HelmetLabel, K::Label, "Helmet", 74, 124, 48, 8, NoFlags, Id::Helmet},
    {Id::KevlarVest, K::DigitsBox, "", 46, 136, 25, 12},
    {Id::KevlarVestLabel, K::Label, "Kevlar Vest", 74, 138, 48, 8, NoFlags, Id::KevlarVest},
    {Id::Trousers, K::DigitsBox, "", 46, 150, 25, 12},
    {Id::TrousersLabel, K::Label, "Trousers", 74, 152, 48, 8, NoFlags, Id::Trousers},

    {0, K::GroupBox, "Health", 135, 95, 85, 29},
    {Id::Health, K::DigitsBox, "", 141, 106, 32, 12, NoFlags, 0, 0, "Health"},
    {0, K::Label, "/", 175, 108, 5, 8},
    {Id::MaxHealth, K::DigitsBox, "", 182, 106, 32, 12, NoFlags, 0, 0, "Maximum health"},

    {0, K::Label, "Class Speed", 127, 131, 50, 8, RightAligned, Id::Speed},
    {Id::Speed, K::NumberBox, "", 180, 129, 42, 12},
    {0, K::Label, "Jump Height", 127, 145, 50, 8, RightAligned, Id::Jump},
    {Id::Jump, K::NumberBox, "", 180, 143, 42, 12},
    {0, K::Label, "Underwaterair", 127, 158, 50, 8, RightAligned, Id::UnderwaterAir},
    {Id::UnderwaterAir, K::NumberBox, "", 180, 156, 42, 12},

    {0, K::GroupBox, "Gamemode Flags", 230, 95, 85, 55},
    {Id::CanBeAssassin, K::CheckBox, "Can be Assassin", 236, 106, 76, 10},
    {Id::CanBeBodyguard, K::CheckBox, "Can be Bodyguard", 236, 116, 76, 10},
    {Id::CanBeHunted, K::CheckBox, "Can be the Hunted", 236, 126, 76, 10},
    {Id::CanBeVip, K::CheckBox, "Can be the V.I.P.", 236, 136, 76, 10},

    {0, K::Picture, "", 332, 108, 0, 0, NoFlags, 0, 138, "Logo of the Tolvane Class Creator authors"},

    {0, K::GroupBox, "Calculate", 406, 98, 59, 43},
    {Id::Calculate, K::PushButton, "Calculate!", 412, 108, 47, 14},
    {Id::CalculateResult, K::DigitsBox, "", 412, 125, 47, 12, Disabled, 0, 0, "Calculated abilities"},

    {Id::ItemList, K::DropDownList, "", 235, 155, 160, 12, NoFlags, 0, 0, "Inventory item"},
    {Id::Amount, K::DigitsBox, "", 400, 155, 27, 12, NoFlags, 0, 0, "Amount"},
    {Id::AddItem, K::PushButton, "ADD!", 430, 155, 35, 14},
    {Id::StartingWeaponList, K::DropDownList, "", 235, 170, 160, 12, NoFlags, 0, 0, "Starting weapon"},
    {Id::ShowInventory, K::PushButton, "Show Inventory", 400, 170, 65, 14},
    {Id::TitlePicture, K::Picture, "", 235, 198, 0, 0, NoFlags, 0, 143, "Tolvane Class Creator"},

    {0, K::GroupBox, "Maximum Ammo", 5, 175, 225, 70},
    {0, K::Label, "Shells", 8, 188, 40, 8, RightAligned, Id::Shells},
    {Id::Shells, K::DigitsBox, "", 50, 186, 25, 12},
    {0, K::Label, ".357 Bullets", 8, 202, 40, 8, RightAligned, Id::Bullets357},
    {Id::Bullets357, K::DigitsBox, "", 50, 200, 25, 12},
    {0, K::Label, "Rockets", 8, 216, 40, 8, RightAligned, Id::Rockets},
    {Id::Rockets, K::DigitsBox, "", 50, 214, 25, 12},
    {0, K::Label, "Cells", 8, 230, 40, 8, RightAligned, Id::Cells},
    {Id::Cells, K::DigitsBox, "", 50, 228, 25, 12},
    {0, K::Label, "Pistol Mag", 77, 188, 46, 8, RightAligned, Id::PistolMag},
    {Id::PistolMag, K::DigitsBox, "", 125, 186, 25, 12},
    {0, K::Label, ".45 cal Mag", 77, 202, 46, 8, RightAligned, Id::Cal45Mag},
    {Id::Cal45Mag, K::DigitsBox, "", 125, 200, 25, 12, Disabled},
    {0, K::Label, "9mm Mag", 77, 216, 46, 8, RightAligned, Id::Mag9mm},
    {Id::Mag9mm, K::DigitsBox, "", 125, 214, 25, 12},
    {0, K::Label, "AR Mag", 77, 230, 46, 8, RightAligned, Id::ArMag},
    {Id::ArMag, K::DigitsBox, "", 125, 228, 25, 12},
    {0, K::Label, ".308 cal Mag", 151, 188, 46, 8, RightAligned, Id::Cal308Mag},
    {Id::Cal308Mag, K::DigitsBox, "", 199, 186, 25, 12},
    {0, K::Label, "7.62mm BB", 151, 202, 46, 8, RightAligned, Id::Bb762},
    {Id::Bb762, K::DigitsBox, "", 199, 200, 25, 12},
    {0, K::Label, "40mm Gren", 151, 216, 46, 8, RightAligned, Id::Gren40mm},
    {Id::Gren40mm, K::DigitsBox, "", 199, 214, 25, 12, Disabled},
    {0, K::Label, "Grenades", 151, 230, 46, 8, RightAligned, Id::Grenades},
    {Id::Grenades, K::DigitsBox, "", 199, 228, 25, 12},

    {Id::StatusLine, K::StatusLine, "", 0, 245, 233, 12, 0, 0, 0, "Status"},
    {Id::HiddenScrollBar, K::ScrollBar, "", 0, 0, 0, 0},
};

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

// Typed text that a box refuses. The keys without printable text (editing,
// moving, Tab, Enter, shortcuts) always pass, and so does pasted text.
class TypingFilter : public QObject
{
public:
    TypingFilter(ControlKind kind, QLineEdit *edit) : QObject(edit), kind(kind), edit(edit) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        QString typed;
        if (event->type() == QEvent::KeyPress)
            typed = static_cast<QKeyEvent *>(event)->text();
        else if (event->type() == QEvent::InputMethod)
            typed = static_cast<QInputMethodEvent *>(event)->commitString();
        if (typed.isEmpty() || !typed.front().isPrint())
            return false;
        return kind == ControlKind::DigitsBox ? !allDigits(typed) : !fits(typed);
    }

private:
    static bool allDigits(const QString &text)
    {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    }

    // A number box does not scroll: it takes what still fits into its width.
    bool fits(const QString &typed) const
    {
        QString after = edit->text();
        const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        after.remove(at, edit->selectedText().size());
        after.insert(at, typed);

        QStyleOptionFrame option;
        option.initFrom(edit);
        option.rect = edit->rect();
        option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                                            : 0;
        const QRect contents = edit->style()
                                   ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(edit->textMargins());
        const int lineMargins = 2 * 2 + 1; // the line edit's own margins and the cursor
        return edit->fontMetrics().horizontalAdvance(after) <= contents.width() - lineMargins;
    }

    ControlKind kind;
    QLineEdit *edit;
};

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
        qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true);

        // A title with an Alt letter shows it underlined where the style does.
        const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this);
        const int mnemonic = underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
        const QRect titleArea(metrics.averageCharWidth(), 0, metrics.size(mnemonic, title()).width() + 4,
                              metrics.height());
        painter.fillRect(titleArea, palette().window());
        style()->drawItemText(&painter, titleArea, Qt::AlignCenter | mnemonic, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
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

QList<QWidget *> createControls(std::span<const ControlTemplate> controls, QWidget *parent)
{
    QList<QWidget *> created;
    QHash<int, QWidget *> byId;
    QList<std::pair<QLabel *, int>> buddies;
    for (const ControlTemplate &t : controls) {
        QWidget *widget = createControl(t, parent);
        created.append(widget);
        widget->setEnabled(!(t.flags & Disabled));
        if (t.accessible) {
            const QString accessible = QString::fromUtf8(t.accessible);
            t.kind == ControlKind::Picture ? widget->setAccessibleDescription(accessible)
                                           : widget->setAccessibleName(accessible);
        }
        if (t.buddy)
            buddies.append({static_cast<QLabel *>(widget), t.buddy});
        if (t.id) {
            widget->setObjectName(QStringLiteral("control%1").arg(t.id));
            widget->setProperty("controlId", t.id);
            byId.insert(t.id, widget);
        }
    }
    for (const auto &[label, buddy] : buddies) {
        QWidget *box = byId.value(buddy);
        label->setBuddy(box);
        // The text field of a list takes the focus, so it needs the name too.
        if (auto *list = qobject_cast<QComboBox *>(box); list && list->lineEdit())
            list->lineEdit()->setAccessibleName(label->text());
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
