#pragma once
#include <cstdio>
#include <cstdlib>

// A broken law stops the run with the law's name; libFuzzer then saves the
// input that broke it.
inline void FuzzCheck(bool holds, const char* law)
{
    if (!holds) {
        std::fprintf(stderr, "law broken: %s\n", law);
        std::abort();
    }
}
