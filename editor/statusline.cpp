#include "statusline.h"

#include <QPainter>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include <algorithm>

namespace {

// The line edit's own margin beside its text.
constexpr int textMargin = 2;

// Lays text out in lines of width, breaking a word only where it is wider
// than a line (a long path); returns the height of the lines.
qreal layOutLines(QTextLayout &layout, qreal width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

int lineCount(QTextLayout &layout, qreal width)
{
    layOutLines(layout, width);
    return std::max(1, layout.lineCount());
}

} // namespace

StatusLine::StatusLine(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFrame(false);
    setFocusPolicy(Qt::NoFocus);
    // The window's width never follows a message; its height does.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    connect(this, &QLineEdit::textChanged, this, &StatusLine::fitHeight);
}

QRect StatusLine::textArea(QRect rect) const
{
    return rect.marginsRemoved(textMargins()).adjusted(textMargin, 0, -textMargin, 0);
}

int StatusLine::textHeightFor(int width) const
{
    const int oneLine = QLineEdit::sizeHint().height();
    QTextLayout layout(text(), font());
    const int lines = lineCount(layout, std::max(1, textArea(QRect(0, 0, width, oneLine)).width()));
    return oneLine + (lines - 1) * fontMetrics().lineSpacing();
}

// A quarter of the screen at most: a message longer still (a very long path
// in very large text) shows its beginning, and its whole text as a tooltip.
int StatusLine::heightFor(int width) const
{
    return std::min(textHeightFor(width),
                    std::max(QLineEdit::sizeHint().height(), screen()->availableGeometry().height() / 4));
}

void StatusLine::fitHeight()
{
    const int height = heightFor(width());
    setMinimumHeight(height);
    setToolTip(textHeightFor(width()) > height ? text() : QString());
    update();
}

void StatusLine::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    fitHeight();
}

void StatusLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);

    const QRect area = textArea(rect());
    QTextLayout layout(text(), font());
    const qreal height = layOutLines(layout, area.width());
    painter.setPen(palette().color(QPalette::Text));
    // One line sits in the middle, as in any line edit; more start at the top.
    layout.draw(&painter, QPointF(area.left(), area.top() + std::max<qreal>(0, (area.height() - height) / 2)));
}
