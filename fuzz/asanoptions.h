#pragma once

// Freed memory comes back sooner than by default (256 MiB): fresh pages for
// the few hundred kilobytes an input allocates took half the time. A use
// after free within an input is still caught.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=8";
}
