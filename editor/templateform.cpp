#include "templateform.h"

#include "dialogunits.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QShowEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

// The room a push button's text needs besides its letters.
constexpr int buttonTextMargin = 6;

// The width in pixels that the fixed text of a control needs, 0 for a control
// without one or with a text that wraps.
int textWidth(const ControlTemplate &t, QWidget *widget)
{
    switch (t.kind) {
    case ControlKind::Label:
        return t.flags & WordWrap ? 0 : widget->sizeHint().width();
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

} // namespace

TemplateForm::TemplateForm(std::span<const ControlTemplate> controls, QSize templateSize, const char *fontFamily,
                           QWidget *parent)
    : QScrollArea(parent), controlTemplates(controls), templateSize(templateSize), fontFamily(fontFamily)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    auto *holder = new QWidget;
    created = createControls(controls, holder);
    for (QWidget *control : std::as_const(created)) {
        if (const QVariant id = control->property("controlId"); id.isValid())
            byId.insert(id.toInt(), control);
    }
    setWidget(holder);
    layOut(preferredPoints());
    shown = holder->size();
}

qreal TemplateForm::preferredPoints() const
{
    return templatePoints * systemFontScale();
}

// Fixed texts never clip and pictures never stick out: where the font at
// hand is wider than the one the template was drawn for, the units grow until
// every text fits its control, and where it is smaller (a small step, or a
// look-alike font), until every picture, which keeps its size in pixels, fits
// the form.
DialogUnits TemplateForm::unitsForContents() const
{
    const DialogUnits fromFont(form()->font());
    qreal unitX = fromFont.baseX();
    qreal unitY = fromFont.baseY();
    for (qsizetype i = 0; i < created.size(); ++i) {
        const ControlTemplate &t = controlTemplates[std::size_t(i)];
        // One pixel more for the rounding of the control's corners.
        if (const int width = textWidth(t, created[i]); width && t.w)
            unitX = std::max(unitX, 4.0 * (width + 1) / t.w);
        if (t.kind == ControlKind::Picture) {
            unitX = std::max(unitX, 4.0 * (created[i]->width() + 1) / (templateSize.width() - t.x));
            unitY = std::max(unitY, 8.0 * (created[i]->height() + 1) / (templateSize.height() - t.y));
        }
    }
    for (qsizetype i = 0; i < created.size(); ++i) {
        const ControlTemplate &t = controlTemplates[std::size_t(i)];
        if (t.kind == ControlKind::Label && (t.flags & WordWrap)) {
            const int height = created[i]->heightForWidth(DialogUnits(unitX, unitY).toPixels(t.x, t.y, t.w, t.h).width());
            unitY = std::max(unitY, 8.0 * (height + 1) / t.h);
        }
    }
    return {unitX, unitY};
}

void TemplateForm::layOut(qreal points)
{
    currentPoints = points;
    form()->setFont(dialogFont(fontFamily, points));
    const DialogUnits units = unitsForContents();
    for (qsizetype i = 0; i < created.size(); ++i) {
        const ControlTemplate &t = controlTemplates[std::size_t(i)];
        QWidget *control = created[i];
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
    QSize frame = window->frameGeometry().size() - window->size();
    if (frame.isNull() && !(window->windowFlags() & Qt::FramelessWindowHint)) {
        // Not framed yet (or on a screen without window decorations): a
        // title bar and borders as the style draws them.
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
        frame = QSize(2 * border, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 2 * border);
    }
    const QSize besides = window == this ? QSize() : window->sizeHint() - sizeHint();
    return screen()->availableGeometry().size() - frame - besides.expandedTo(QSize(0, 0));
}

void TemplateForm::fitWindowToScreen()
{
    fitInto(roomOnScreen());
    if (window()->layout())
        window()->layout()->activate();
}

// A window that grew where it stands moves back onto the screen. (A window
// being shown is placed by the platform or its dialog code instead.)
void TemplateForm::keepWindowOnScreen()
{
    QWidget *window = this->window();
    const QRect area = screen()->availableGeometry();
    QRect placed = window->frameGeometry();
    placed.moveRight(std::min(placed.right(), area.right()));
    placed.moveBottom(std::min(placed.bottom(), area.bottom()));
    placed.moveLeft(std::max(placed.left(), area.left()));
    placed.moveTop(std::max(placed.top(), area.top()));
    window->move(placed.topLeft());
}

void TemplateForm::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous())
        fitWindowToScreen();
}

void TemplateForm::changeEvent(QEvent *event)
{
    QScrollArea::changeEvent(event);
    // The form's own font is set; this widget's follows the system font.
    if (event->type() == QEvent::FontChange && isVisible()) {
        fitWindowToScreen();
        keepWindowOnScreen();
    }
}
