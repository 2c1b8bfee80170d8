// What a fuzz target does when a property fails: names it and aborts, so that libFuzzer keeps the
// input that broke it. A macro, so that the message carries the condition's own text and line.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void(0)                                                                         \
                 : (std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,      \
                                 #condition),                                                      \
                    std::abort()))
