#pragma once

// What the editor's windows say to a screen reader through announce(), as
// it would hear them while one listens.

#include "accessibility.h"

#include <QStringList>
#include <QTest>

class AnnouncementLog
{
public:
    AnnouncementLog()
    {
        hearAnnouncements([this](const QString &text) { heard << text; });
    }
    ~AnnouncementLog() { hearAnnouncements(nullptr); }
    AnnouncementLog(const AnnouncementLog &) = delete;
    AnnouncementLog &operator=(const AnnouncementLog &) = delete;

    // What was said since the last call, each announcement after " / ",
    // once the announcements of the moment and a paused typing are out.
    QString said() const
    {
        QTest::qWait(200);
        QTest::qWaitFor([] { return !announcementsWaiting(); }, 5000);
        const QString text = heard.join(QStringLiteral(" / "));
        heard.clear();
        return text;
    }

private:
    mutable QStringList heard;
};
