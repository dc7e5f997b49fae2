#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTimer;

// Says the last of the texts it is given while the user types, once typing
// pauses: said after each key, a count or a problem would cut into the
// screen reader's echo of the keys and be out of date at once.
class TypingAnnouncement : public QObject
{
public:
    explicit TypingAnnouncement(QObject *parent);
    ~TypingAnnouncement() override;

    // text replaces what was not said yet; an empty text is not said.
    void say(const QString &text);
    // The text text gives once delay milliseconds have passed without
    // another say; for what is read when it is said.
    void sayLater(std::function<QString()> text, int delay);

    // Whether one of them waits to say something.
    static bool anyWaiting();

private:
    void stopWaiting();

    QTimer *timer = nullptr;
    std::function<QString()> pending;
    bool counted = false;
    static inline int waiting = 0;
};
