// A second yardstick: a dialog with one label, the least a window that shows
// text costs, since the first text loads the font configuration.

#include "firstpaintexit.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FirstPaintExit firstPaint;
    app.installEventFilter(&firstPaint);
    QDialog dialog;
    new QLabel(QStringLiteral("Tolvane Class Creator"), &dialog);
    dialog.exec();
    return 1;
}
