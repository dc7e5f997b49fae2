#include "screenfit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame != client || (window->windowFlags() & Qt::FramelessWindowHint))
        return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                frame.bottom() - client.bottom()};
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return {border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + border, border, border};
}

QSize roomForWindow(const QWidget *window)
{
    const QMargins frame = frameMargins(window);
    return window->screen()->availableGeometry().size()
           - QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

namespace {

// Places window with its frame at frame, moved onto the available area.
void placeFrame(QWidget *window, QRect frame)
{
    const QRect area = window->screen()->availableGeometry();
    frame.moveLeft(std::max(std::min(frame.left(), area.right() - frame.width() + 1), area.left()));
    frame.moveTop(std::max(std::min(frame.top(), area.bottom() - frame.height() + 1), area.top()));
    window->setGeometry(frame.marginsRemoved(frameMargins(window)));
}

} // namespace

void moveOntoScreen(QWidget *window)
{
    placeFrame(window, window->geometry().marginsAdded(frameMargins(window)));
}

void fitOnScreen(QWidget *window, QSize wanted)
{
    const QMargins frame = frameMargins(window);
    QRect placed(QPoint(), wanted.boundedTo(roomForWindow(window)).grownBy(frame));
    const QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    placed.moveCenter(owner && owner->isVisible() ? owner->frameGeometry().center()
                                                  : window->screen()->availableGeometry().center());
    placeFrame(window, placed);
}

std::optional<QRect> placeClearOf(const QRect &avoid, QSize wanted, QSize smallest, const QRect &screen)
{
    const QRect sides[] = {
        QRect(QPoint(avoid.right() + 1, screen.top()), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(avoid.left() - 1, screen.bottom())),
        QRect(QPoint(screen.left(), avoid.bottom() + 1), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(screen.right(), avoid.top() - 1)),
    };
    std::optional<QRect> best;
    for (const QRect &side : sides) {
        const QSize size = wanted.boundedTo(side.size());
        if (size.width() < smallest.width() || size.height() < smallest.height())
            continue;
        if (best && best->width() * best->height() >= size.width() * size.height())
            continue;
        // As close to the area as the side allows.
        QRect placed(QPoint(), size);
        placed.moveCenter(avoid.center());
        placed.moveLeft(std::clamp(placed.left(), side.left(), side.right() - size.width() + 1));
        placed.moveTop(std::clamp(placed.top(), side.top(), side.bottom() - size.height() + 1));
        best = placed;
    }
    return best;
}
