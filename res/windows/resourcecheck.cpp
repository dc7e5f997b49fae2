// The programs' Windows resources, run under Wine by the cross build's tests.
// This program carries the same resources as the editor and
// tolvane-classfile: Wine reads its manifest as Windows does when it starts
// the program, so the manifest's settings must be in force here. Given the
// programs' paths, it also finds the icon, manifest and version in each.
//   windows-resources [PROGRAM.exe...]

#include <windows.h>

#include <cstdio>
#include <string_view>

namespace {

int failures = 0;

void expect(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        ++failures;
    }
}

void checkResources(HMODULE module, const char *program)
{
    const struct
    {
        LPCSTR type;
        const char *what;
    } resources[] = {{RT_GROUP_ICON, "icon"}, {RT_MANIFEST, "manifest"}, {RT_VERSION, "version"}};
    for (const auto &resource : resources) {
        if (!FindResourceA(module, MAKEINTRESOURCEA(1), resource.type))
            std::fprintf(stderr, "%s: no %s resource\n", program, resource.what), ++failures;
    }
}

} // namespace

int main(int argc, char **argv)
{
    checkResources(nullptr, argv[0]);
    expect(GetACP() == CP_UTF8, "the manifest's UTF-8 code page is not in force");
    expect(AreDpiAwarenessContextsEqual(GetThreadDpiAwarenessContext(), DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)
               || GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) == DPI_AWARENESS_PER_MONITOR_AWARE,
           "the manifest's per-monitor DPI awareness is not in force");
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '\0') // a build without the editor passes an empty name
            continue;
        HMODULE program = LoadLibraryExA(argv[i], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!program) {
            std::fprintf(stderr, "%s cannot be opened\n", argv[i]);
            return 1;
        }
        checkResources(program, argv[i]);
    }
    return failures == 0 ? 0 : 1;
}
