#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

// Ends the process as soon as the first paint of a window has been flushed,
// so that a run lasts from process start to the first picture on screen.
// Installed on the application, it sees every event; it changes none.
class FirstPaintExit : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            // Runs once the paint in progress has reached the window.
            QTimer::singleShot(0, [] {
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool painted = false;
};
