#include "creatorapp.h"

int main(int argc, char **argv)
{
    if (const std::optional<int> status = answerHelpOrVersion(argc, argv))
        return *status;
    if (const std::optional<int> status = refuseWithoutDisplay(argc, argv))
        return *status;
    CreatorApp app(argc, argv);
    app.runEditor();
    return app.exitCode();
}
