#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// GUI tests drive real widgets, so a QApplication must exist before any test
// runs; without a display they use the offscreen platform, and settings go
// to a folder of their own.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The user's own settings, such as the recent folders, stay untouched.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    // So do the user's backups and recovery files.
    QTemporaryDir data;
#ifdef _WIN32
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(data.path()).toLocal8Bit());
#else
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
