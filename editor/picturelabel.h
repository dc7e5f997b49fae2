#pragma once

#include <QLabel>

// A picture control: one of the program's bitmaps at its own pixel size in
// a sunken frame, drawn again when the window moves to a screen with another
// device pixel ratio so that it never stays blurred. At a ratio the build did
// not draw the pictures for, the first paint shows a scaled stand-in and the
// sharp picture is drawn right after it, so drawing never delays the window.
class PictureLabel : public QLabel
{
    Q_OBJECT

public:
    PictureLabel(int bitmapId, QWidget *parent);

    int bitmapId() const { return bitmap; }
    // Whether the picture shown is a scaled stand-in for the sharp one.
    bool showsStandIn() const { return standIn; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void render();
    void drawSharp();

    int bitmap;
    bool standIn = false;
    bool sharpPending = false;
};
