// The yardstick: a Qt Widgets program that opens an empty dialog, ending at
// its first paint.

#include "firstpaintexit.h"

#include <QApplication>
#include <QDialog>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FirstPaintExit firstPaint;
    app.installEventFilter(&firstPaint);
    QDialog dialog;
    dialog.exec();
    return 1;
}
