#include "creatorapp.h"

int main(int argc, char **argv)
{
    CreatorApp app(argc, argv);
    app.InitInstance();
    return app.exitCode();
}
