#pragma once

#include <QApplication>

// The application object: runs the editor window modally; when it ends, the
// program ends.
class CreatorApp : public QApplication
{
    Q_OBJECT

public:
    CreatorApp(int &argc, char **argv);

    // Runs the editor window on the working directory until it ends. Returns
    // false: there is no event loop to run after it.
    bool InitInstance();
};
