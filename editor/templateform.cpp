#include "templateform.h"

#include "dialogunits.h"
#include "screenfit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QShowEvent>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {

// The room a push button's text needs besides its letters.
constexpr int buttonTextMargin = 6;

// Whether the width of label is that of its text alone: no frame, margin,
// indent or minimum width, and plain text that cannot be selected.
bool isBareText(const QLabel *label)
{
    const bool plain = label->textFormat() == Qt::PlainText
                       || (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text()));
    const bool selectable = label->textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return plain && !selectable && label->frameWidth() == 0 && label->margin() == 0 && label->indent() <= 0
           && label->contentsMargins().isNull() && label->minimumWidth() == 0;
}

// The width of a label's size hint, measured once: the hint itself lays the
// text out three times, for the widths a layout might give it. An Alt letter
// of a label with a buddy is underlined, not shown as "&".
int labelWidth(QLabel *label)
{
    if (!isBareText(label))
        return label->sizeHint().width();
    const int mnemonic = label->buddy() && label->text().contains(u'&') ? Qt::TextShowMnemonic : 0;
    return label->fontMetrics().boundingRect(QRect(0, 0, 2000, 2000), mnemonic, label->text()).width();
}

} // namespace

int fixedTextWidth(const ControlTemplate &t, QWidget *widget)
{
    switch (t.kind) {
    case ControlKind::Label:
        return t.flags & WordWrap ? 0 : labelWidth(static_cast<QLabel *>(widget));
    case ControlKind::CheckBox:
        return widget->sizeHint().width();
    case ControlKind::PushButton: {
        const QString text = QString(static_cast<QAbstractButton *>(widget)->text()).remove(u'&');
        return widget->fontMetrics().horizontalAdvance(text) + buttonTextMargin;
    }
    default:
        return 0;
    }
}

namespace {

// The bottom right corner, in dialog units, of what encloses control t: its
// group box, or the form.
QPoint enclosingCorner(std::span<const ControlTemplate> all, const ControlTemplate &t, QSize templateSize)
{
    for (const ControlTemplate &group : all) {
        if (group.kind == ControlKind::GroupBox && QRect(group.x, group.y, group.w, group.h).contains(t.x, t.y))
            return {group.x + group.w, group.y + group.h};
    }
    return {templateSize.width(), templateSize.height()};
}

// The pixels a picture keeps clear of its group's frame, and one for rounding.
constexpr int pictureMargin = 2 + 1;

} // namespace

TemplateForm::TemplateForm(std::span<const ControlTemplate> controls, QSize templateSize, const char *fontFamily,
                           QWidget *parent, Framing framing)
    : QScrollArea(parent), controlTemplates(controls), templateSize(templateSize), fontFamily(fontFamily)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    // In a window larger than the form, the form sits under the menu bar in
    // the middle of the width: taller panes beside it leave no gap above it.
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto *holder = new QWidget;
    // The controls are made in the font they show, not laid out in another
    // one first.
    holder->setFont(dialogFont(fontFamily, preferredPoints()));
    created = createControls(controls, holder, framing);
    for (qsizetype i = 0; i < created.size(); ++i) {
        if (const int id = controls[std::size_t(i)].id)
            byId.insert(id, created[i]);
    }
    setWidget(holder);
    layOut(preferredPoints());
    shown = holder->size();
    // A control that takes the focus scrolls into view, however it got it
    // (a Tab, an Alt letter, a problem chosen in the Problems window).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && form()->isAncestorOf(now))
            scrollIntoView(now);
    });
}

// The whole control, not only its text cursor as ensureWidgetVisible would.
// A margin is kept around it only where the view has room for one: a margin
// wider than the room scrolled a box that fits half out of sight.
void TemplateForm::scrollIntoView(QWidget *control)
{
    const QRect area(control->mapTo(form(), QPoint()), control->size());
    const QSize room = (viewport()->size() - area.size()) / 2;
    const int marginX = std::clamp(room.width(), 0, 4);
    const int marginY = std::clamp(room.height(), 0, 4);
    ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + marginX, area.height() / 2 + marginY);
}

qreal TemplateForm::preferredPoints() const
{
    return templatePoints * systemFontScale();
}

// Fixed texts never clip and pictures never stick out: where the font at
// hand is wider than the one the template was drawn for, the units grow until
// every text fits its control, and where it is smaller (a small step, or a
// look-alike font), until every picture, which keeps its size in pixels, fits
// its group box, or the form.
DialogUnits TemplateForm::unitsForContents() const
{
    const DialogUnits fromFont(form()->font());
    qreal unitX = fromFont.baseX();
    qreal unitY = fromFont.baseY();
    for (qsizetype i = 0; i < created.size(); ++i) {
        const ControlTemplate &t = controlTemplates[std::size_t(i)];
        // One pixel more for the rounding of the control's corners.
        if (const int width = fixedTextWidth(t, created[i]); width && t.w)
            unitX = std::max(unitX, 4.0 * (width + 1) / t.w);
        if (t.kind == ControlKind::Picture) {
            const QPoint corner = enclosingCorner(controlTemplates, t, templateSize);
            unitX = std::max(unitX, 4.0 * (created[i]->width() + pictureMargin) / (corner.x() - t.x));
            unitY = std::max(unitY, 8.0 * (created[i]->height() + pictureMargin) / (corner.y() - t.y));
        }
    }
    for (qsizetype i = 0; i < created.size(); ++i) {
        const ControlTemplate &t = controlTemplates[std::size_t(i)];
        if (t.kind == ControlKind::Label && (t.flags & WordWrap)) {
            const int height = created[i]->heightForWidth(
                DialogUnits(unitX, unitY).toPixels(t.x, t.y, t.w, t.h).width());
            unitY = std::max(unitY, 8.0 * (height + 1) / t.h);
        }
    }
    return {unitX, unitY};
}

// What the placing of the controls depends on beyond the font size: the
// texts measured and the style that draws them.
QString TemplateForm::layoutKey() const
{
    QString key = style()->name();
    for (QWidget *control : created) {
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(control))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            text = button->text();
        else
            continue;
        key += QChar(0);
        key += text;
    }
    return key;
}

void TemplateForm::layOut(qreal points)
{
    fittedRoom = QSize();
    // Showing the window fits it again at the size it was made at: the
    // measuring is not repeated for nothing.
    QString key = layoutKey();
    if (points == currentPoints && key == laidOutFor)
        return;
    currentPoints = points;
    laidOutFor = std::move(key);
    form()->setFont(dialogFont(fontFamily, points));
    const DialogUnits units = unitsForContents();
    for (qsizetype i = 0; i < created.size(); ++i) {
        const ControlTemplate &t = controlTemplates[std::size_t(i)];
        QWidget *control = created[i];
        if (!form()->isAncestorOf(control))
            continue; // placed by the window, as the status line
        QRect area = units.toPixels(t.x, t.y, t.w, t.h);
        // A control framed by a group box is placed within the box.
        if (control->parentWidget() != form())
            area.translate(-control->parentWidget()->pos());
        if (t.kind == ControlKind::Picture)
            control->move(area.topLeft());
        else
            control->setGeometry(area);
    }
    form()->setFixedSize(units.toPixels(templateSize));
}

void TemplateForm::fitInto(QSize space)
{
    qreal points = preferredPoints();
    layOut(points);
    while (points > minimumPoints && !QRect(QPoint(), space).contains(QRect(QPoint(), form()->size()))) {
        points = std::max(minimumPoints, points - step);
        layOut(points);
    }

    shown = form()->size();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (shown.width() > space.width())
        shown.rheight() += bar;
    if (shown.height() > space.height())
        shown.rwidth() += bar;
    shown = shown.boundedTo(space);
    fittedRoom = space;
    updateGeometry();
}

QSize TemplateForm::sizeHint() const
{
    return shown;
}

// The available area less the window's frame and whatever the window shows
// besides this form.
QSize TemplateForm::roomOnScreen() const
{
    const QWidget *window = this->window();
    const QSize besides = window == this ? QSize() : window->sizeHint() - sizeHint();
    return roomForWindow(window) - besides.expandedTo(QSize(0, 0));
}

// The window takes the size the form asks for, unless it is maximised: when
// it is shown, centred, and after a change of the font, where it stands.
// The form is fitted anew unless only a room that did not change is asked
// for.
void TemplateForm::fitWindowToScreen(bool centre, Refit refit)
{
    QWidget *window = this->window();
    // The layouts between the form and the window (a main window's centre)
    // learn the sizes of what they hold at once, not once their events have run.
    const auto settle = [this, window] {
        for (QWidget *holder = parentWidget(); holder && holder != window; holder = holder->parentWidget()) {
            if (holder->layout())
                holder->layout()->invalidate();
            holder->updateGeometry();
        }
        if (window->layout())
            window->layout()->activate();
    };
    settle();
    if (const QSize room = roomOnScreen(); refit == Refit::Always || room != fittedRoom)
        fitInto(room);
    settle();
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (centre) {
        fitOnScreen(window, window->sizeHint());
    } else {
        window->resize(window->sizeHint());
        moveOntoScreen(window);
    }
}

void TemplateForm::refitWindow()
{
    if (isVisible())
        fitWindowToScreen(false, Refit::Always);
}

void TemplateForm::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous()) {
        fitWindowToScreen(true, Refit::Always);
        // Once more when the platform has framed the window: where its frame
        // turned out larger than the platform said beforehand (Wine at 144
        // dpi), the window came out smaller than the form.
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                fitWindowToScreen(false, Refit::WhenRoomChanged);
        });
    }
}

void TemplateForm::changeEvent(QEvent *event)
{
    QScrollArea::changeEvent(event);
    // The form's own font is set; this widget's follows the system font.
    if (event->type() == QEvent::FontChange && isVisible())
        fitWindowToScreen(false, Refit::Always);
}
