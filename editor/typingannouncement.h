#pragma once

#include <QObject>
#include <QString>

class QTimer;

// Says the last of the texts it is given while the user types, once typing
// pauses: said after each key, a count or a problem would cut into the
// screen reader's echo of the keys and be out of date at once.
class TypingAnnouncement : public QObject
{
public:
    explicit TypingAnnouncement(QObject *parent);

    // text replaces what was not said yet; an empty text is not said.
    void say(const QString &text);

private:
    QTimer *timer = nullptr;
    QString pending;
};
