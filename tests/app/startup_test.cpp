#include "aboutdialog.h"

#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

TEST(AboutBox, ShowsTheVersionUnderTheTextsAndWithinTheBox)
{
    AboutDialog about(nullptr);
    about.show();
    const QList<QLabel *> labels = about.findChildren<QLabel *>();
    const auto version = std::find_if(labels.begin(), labels.end(), [](const QLabel *label) {
        return label->text() == QStringLiteral("Version " TOLVANE_VERSION);
    });
    ASSERT_NE(version, labels.end());
    const QRect shown((*version)->mapTo(&about, QPoint(0, 0)), (*version)->size());
    EXPECT_TRUE(about.rect().contains(shown));
    EXPECT_LE((*version)->sizeHint().width(), shown.width());
    for (const QWidget *other : about.findChildren<QWidget *>()) {
        if (other != *version && (qobject_cast<const QLabel *>(other) || qobject_cast<const QGroupBox *>(other))) {
            EXPECT_LE(other->mapTo(&about, QPoint(0, other->height())).y(), shown.top())
                << other->metaObject()->className();
        }
    }
}

#if !defined(_WIN32) && !defined(__APPLE__)

struct ProgramRun
{
    int status;
    std::string out;
    std::string err;
};

std::string fileText(const std::string &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The editor started with nothing in its environment but environment.
ProgramRun runEditor(const std::string &environment, const std::string &arguments)
{
    const std::string out = testing::TempDir() + "editor run.out", err = testing::TempDir() + "editor run.err";
    const std::string command = "timeout 60 env -i " + environment + " '" TOLVANE_EDITOR "' " + arguments + " >'" + out
                                + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileText(out), fileText(err)};
}

TEST(EditorProgram, SaysInOneLineThatItHasNoDisplayBeforeQtWould)
{
    const std::string version = "tolvane-class-creator " TOLVANE_VERSION "\n";
    struct Row
    {
        const char *environment;
        const char *arguments;
        int status;
        std::string out;
        const char *errorHas; // "": nothing on standard error
    };
    const Row rows[] = {
        {"", "", 2, "", "no display"},
        {"DISPLAY=", "/tmp", 2, "", "no display"},
        {"", "-V", 0, version, ""},
        {"", "--version", 0, version, ""},
        // A platform chosen by hand is a display: the command line is looked at next.
        {"QT_QPA_PLATFORM=offscreen", "one two", 2, "", "Usage: tolvane-class-creator"},
        {"", "-platform offscreen one two", 2, "", "Usage: tolvane-class-creator"},
    };
    for (const Row &row : rows) {
        const ProgramRun run = runEditor(row.environment, row.arguments);
        const std::string context = std::string(row.environment) + " | " + row.arguments + " | " + run.err;
        EXPECT_EQ(run.status, row.status) << context;
        EXPECT_EQ(run.out, row.out) << context;
        if (*row.errorHas == '\0') {
            EXPECT_EQ(run.err, "") << context;
        } else {
            EXPECT_NE(run.err.find(row.errorHas), std::string::npos) << context;
        }
        if (std::string_view(row.errorHas) == "no display") {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << context;
            for (const char *hint : {"DISPLAY", "WAYLAND_DISPLAY", "xvfb-run"})
                EXPECT_NE(run.err.find(hint), std::string::npos) << context;
        }
    }
}

#endif

} // namespace
