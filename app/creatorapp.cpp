#include "creatorapp.h"

#include "creatordialog.h"

#include <iostream>

CreatorApp::CreatorApp(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tolvane Class Creator"));
}

bool CreatorApp::InitInstance()
{
    // The class files and the settings file are those of the folder the
    // program was started in; the settings reports go to standard output.
    CreatorDialog dialog(QDir::current(), std::cout);
    dialog.exec();
    return false;
}
