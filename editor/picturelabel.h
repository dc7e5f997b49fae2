#pragma once

#include <QLabel>

// A picture control: one of the program's bitmaps at its own pixel size in
// a sunken frame, drawn again when the window moves to a screen with another
// device pixel ratio so that it never shows blurred.
class PictureLabel : public QLabel
{
    Q_OBJECT

public:
    PictureLabel(int bitmapId, QWidget *parent);

    int bitmapId() const { return bitmap; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void render();

    int bitmap;
};
