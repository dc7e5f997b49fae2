#pragma once

#include <QMargins>
#include <QRect>

#include <optional>

class QWidget;

// Fitting windows into the screen they open on.

// The frame around window: as the platform framed it, or, before it is
// framed, a title bar and borders as the style draws them.
QMargins frameMargins(const QWidget *window);

// The largest size window can take on its screen's available area, frame
// and all.
QSize roomForWindow(const QWidget *window);

// Moves window so that its frame lies on its screen's available area, as
// near to where it is as can be.
void moveOntoScreen(QWidget *window);

// Resizes window to wanted, or to as much of it as its screen has room for,
// and centres it over the window that owns it, or the screen, with its frame
// on the screen. (The platform's own centring of a dialog lets a dialog as
// large as the screen stick out by its frame's lower border.)
void fitOnScreen(QWidget *window, QSize wanted);

// Where a window of the frame size wanted goes on screen so that it covers
// none of avoid: beside it, on the side with the most room, shrunk to that
// room but to no less than smallest. Nothing when no side has that room.
std::optional<QRect> placeClearOf(const QRect &avoid, QSize wanted, QSize smallest, const QRect &screen);
