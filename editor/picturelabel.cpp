#include "picturelabel.h"

#include "artwork.h"
#include "predrawn.h"

#include <QTimer>

PictureLabel::PictureLabel(int bitmapId, QWidget *parent) : QLabel(parent), bitmap(bitmapId)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setFixedSize(bitmapSize(bitmap) + QSize(2 * frameWidth(), 2 * frameWidth()));
    render();
}

void PictureLabel::paintEvent(QPaintEvent *event)
{
    if (pixmap().devicePixelRatio() != devicePixelRatio())
        render();
    QLabel::paintEvent(event);
    // A stand-in is on screen now; the sharp picture follows this paint.
    if (standIn && !sharpPending) {
        sharpPending = true;
        QTimer::singleShot(0, this, &PictureLabel::drawSharp);
    }
}

void PictureLabel::render()
{
    const qreal ratio = devicePixelRatio();
    setPixmap(predrawnBitmap(bitmap, ratio));
    standIn = isStandIn(bitmap, ratio);
}

void PictureLabel::drawSharp()
{
    sharpPending = false;
    if (!standIn)
        return;
    setPixmap(drawBitmap(bitmap, devicePixelRatio()));
    standIn = false;
}
