// The editor program's start-up, exactly as main() runs it, ending at the
// first paint of the editor window.

#include "creatorapp.h"
#include "firstpaintexit.h"

int main(int argc, char **argv)
{
    CreatorApp app(argc, argv);
    FirstPaintExit firstPaint;
    app.installEventFilter(&firstPaint);
    app.runEditor();
    return 1; // the window was closed before it was painted
}
