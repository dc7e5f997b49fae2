#include "commandreplay.h"

#include "creatordialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QTimer>

#include <cstdio>

void replayCommands(CreatorDialog &dialog, const QString &commands)
{
    const QStringList ids = commands.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QTimer::singleShot(0, &dialog, [&dialog, ids] {
        for (const QString &text : ids) {
            const int id = text.toInt();
            if (auto *button = dialog.control<QAbstractButton>(id))
                button->click();
            else if (QAction *action = dialog.command(id))
                action->trigger();
            else
                std::fprintf(stderr, "replay: no command %s\n", qPrintable(text));
            if (!dialog.isVisible())
                return;
        }
    });
}
