#include "placelabel.h"

#include <QEvent>

#include <algorithm>

PlaceLabel::PlaceLabel(QWidget *window) : QLabel(window), window(window)
{
    setAccessibleDescription(tr("Active team and game folder"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A letter's width; averageCharWidth() is no width under Wine (see
    // letterWidth()), which measures 52 letters, more than a start needs here.
    const int margin = fontMetrics().horizontalAdvance(QLatin1Char('x'));
    setContentsMargins(margin, 0, margin, 0);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    window->installEventFilter(this);
}

void PlaceLabel::setPlace(const QString &text)
{
    if (text == whole)
        return;
    whole = text;
    setToolTip(text);
    setAccessibleName(text);
    shorten();
    updateGeometry();
}

// The whole text, up to half the window's width.
QSize PlaceLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const int wanted = fontMetrics().horizontalAdvance(whole) + margins.left() + margins.right() + 1;
    return {std::min(wanted, window->width() / 2), QLabel::sizeHint().height()};
}

QSize PlaceLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

bool PlaceLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window && event->type() == QEvent::Resize)
        updateGeometry();
    return false;
}

void PlaceLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    shorten();
}

void PlaceLabel::shorten()
{
    setText(fontMetrics().elidedText(whole, Qt::ElideMiddle, contentsRect().width()));
}
