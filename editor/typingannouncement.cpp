#include "typingannouncement.h"

#include "accessibility.h"

#include <QTimer>

namespace {

// Longer than the pause between the keys of a word, in milliseconds.
constexpr int typingPause = 500;

} // namespace

TypingAnnouncement::TypingAnnouncement(QObject *parent) : QObject(parent), timer(new QTimer(this))
{
    timer->setSingleShot(true);
    timer->setInterval(typingPause);
    connect(timer, &QTimer::timeout, this, [this] { announce(pending); });
}

void TypingAnnouncement::say(const QString &text)
{
    pending = text;
    timer->start();
}
