// The editor's Windows resources in a program of their own, run under Wine by
// the cross build's tests: Wine reads the manifest as Windows does when it
// starts the program, and the program finds its icon, manifest and version.

#include <windows.h>

#include <cstdio>

int main()
{
    const struct
    {
        LPCSTR type;
        const char *what;
    } resources[] = {{RT_GROUP_ICON, "icon"}, {RT_MANIFEST, "manifest"}, {RT_VERSION, "version"}};
    int status = 0;
    for (const auto &resource : resources) {
        if (!FindResourceA(nullptr, MAKEINTRESOURCEA(1), resource.type)) {
            std::fprintf(stderr, "no %s resource\n", resource.what);
            status = 1;
        }
    }
    return status;
}
