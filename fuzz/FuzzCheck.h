#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep. A broken one aborts, so the fuzzer keeps the input as a
// finding just as it keeps a crash. (A macro for the file and line: clang 14 with this
// standard library has no std::source_location.)
#define FUZZ_CHECK(holds, property)                                                              \
    do {                                                                                         \
        if (!(holds)) {                                                                          \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", property, __FILE__, __LINE__); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
