#include "statusline.h"

#include <QPainter>
#include <QStyleOptionFrame>

namespace {

// The line edit's own margin beside its text.
constexpr int textMargin = 2;

} // namespace

StatusLine::StatusLine(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFrame(false);
    setFocusPolicy(Qt::NoFocus);
    // Neither the window's width nor its height follows a message.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    connect(this, &QLineEdit::textChanged, this, &StatusLine::keepMessage);
}

QRect StatusLine::textArea() const
{
    return rect().marginsRemoved(textMargins()).adjusted(textMargin, 0, -textMargin, 0);
}

QString StatusLine::shownText() const
{
    return fontMetrics().elidedText(QString::fromStdString(tolvane::oneLine(text().toStdString())), Qt::ElideRight,
                                    textArea().width());
}

void StatusLine::keepMessage()
{
    history.add(text().toStdString());
    setToolTip(QString::fromStdString(history.text()));
    update();
}

void StatusLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignVCenter, shownText());
}
