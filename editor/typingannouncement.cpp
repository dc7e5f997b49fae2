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
    connect(timer, &QTimer::timeout, this, [this] {
        stopWaiting();
        announce(pending());
    });
}

TypingAnnouncement::~TypingAnnouncement()
{
    stopWaiting();
}

void TypingAnnouncement::say(const QString &text)
{
    sayLater([text] { return text; }, typingPause);
}

void TypingAnnouncement::sayLater(std::function<QString()> text, int delay)
{
    pending = std::move(text);
    if (!counted)
        ++waiting;
    counted = true;
    timer->start(delay);
}

void TypingAnnouncement::stopWaiting()
{
    if (counted)
        --waiting;
    counted = false;
}

bool TypingAnnouncement::anyWaiting()
{
    return waiting > 0;
}
