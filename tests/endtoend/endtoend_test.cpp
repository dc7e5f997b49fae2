// The editor window, run modally as the program runs it, in a scratch copy of
// the samples: Load Config, Next Class past the last class, Write Out, Quit.
// Nothing was changed, so the file it writes is the one it read, hand-made
// lines and all.

#include "model/session/controlids.h"
#include "creatordialog.h"

#include <QAbstractButton>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

using namespace tolvane;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

TEST(EndToEnd, LoadStepThroughWriteOutQuit)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    for (const char *name : {"tvclass_seals.cfg", "tvclass_tangos.cfg"})
        ASSERT_TRUE(QFile::copy(QDir(TOLVANE_EXAMPLES).filePath(name), scratch.filePath(name)));
    // A hand-edited copy: Write Out keeps the hand edits, normalize drops them.
    const QString sample = scratch.filePath("tvclass_seals.cfg");
    {
        QFile file(sample);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("// edited by hand\nunknown line\n");
    }
    QProcess tool;
    tool.start(TOLVANE_CLASSFILE_TOOL, {"normalize", sample});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QByteArray normalized = tool.readAllStandardOutput();
    const QByteArray handEdited = contents(sample);

    std::string log;
    CreatorDialog dialog(GameFolder::at(QFile::encodeName(scratch.path()).toStdString()),
                         [&log](std::string_view line) { log += line; });
    QList<int> buttons{ControlId::LoadConfig};
    buttons.append(QList<int>(12, ControlId::NextClass));
    buttons << ControlId::WriteOut << ControlId::Quit;
    QTimer::singleShot(0, &dialog, [&] {
        for (int id : buttons)
            dialog.control<QAbstractButton>(id)->click();
    });
    // As the program runs it: until Quit ends the window.
    QEventLoop running;
    QObject::connect(&dialog, &CreatorDialog::finished, &running, &QEventLoop::quit);
    dialog.show();
    running.exec();
    EXPECT_TRUE(dialog.hasEnded());

    EXPECT_EQ(log, "Error opening tvcc.cfg\n");
    EXPECT_TRUE(dialog.statusText().endsWith(" written to tvclass_seals.cfg")) << dialog.statusText().toStdString();
    EXPECT_EQ(normalized, contents(QDir(TOLVANE_EXAMPLES).filePath("tvclass_seals.cfg")));
    EXPECT_EQ(contents(sample), handEdited);
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"tvclass_seals.cfg", "tvclass_tangos.cfg"}));
}

} // namespace
