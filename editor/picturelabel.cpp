#include "picturelabel.h"

#include "artwork.h"
#include "predrawn.h"

PictureLabel::PictureLabel(int bitmapId, QWidget *parent)
    : QLabel(parent), bitmap(bitmapId)
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
}

void PictureLabel::render()
{
    setPixmap(predrawnBitmap(bitmap, devicePixelRatio()));
}
