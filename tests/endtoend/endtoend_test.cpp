// The built program, started offscreen in a scratch copy of the samples,
// loads the Seals file, steps through every class, writes it out and quits.
// What it writes must be what the command-line companion makes of the sample.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray run(const QString &program, const QStringList &arguments, const QString &folder,
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

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
    // A hand-edited copy, so that only a real write gives the writer's layout.
    const QString sample = scratch.filePath("tvclass_seals.cfg");
    {
        QFile file(sample);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("// edited by hand\nunknown line\n");
    }
    const QByteArray normalized = run(TOLVANE_CLASSFILE_TOOL, {"normalize", sample}, scratch.path());

    // Load Config, Next Class past the last class, Write Out, Quit.
    QStringList commands{"1003"};
    for (int i = 0; i < 12; ++i)
        commands << "1004";
    commands << "2"
             << "1";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", scratch.filePath("config")); // recent folders stay here
    environment.insert("TOLVANE_REPLAY_COMMANDS", commands.join(' '));
    const QByteArray log = run(TOLVANE_EDITOR, {}, scratch.path(), environment);

    EXPECT_EQ(log, "Error opening tvcc.cfg\n");
    EXPECT_NE(normalized, QByteArray());
    EXPECT_EQ(contents(sample), normalized);
    EXPECT_EQ(contents(sample), contents(QDir(TOLVANE_EXAMPLES).filePath("tvclass_seals.cfg")));
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"tvclass_seals.cfg", "tvclass_tangos.cfg"}));
}

} // namespace
