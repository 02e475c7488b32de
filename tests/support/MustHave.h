#pragma once
// What a test needs from the machine. Where CI is set, the machine must have
// it: its absence fails the test with the reason, so a broken set-up cannot
// turn tests into skips and a run green. Elsewhere (a developer's machine
// without a display, say) the test is skipped with the reason.
#include <cstdlib>

#include <gtest/gtest.h>

inline bool InCi() {
    const char* ci = std::getenv("CI");
    return ci && *ci;
}

// Call it in braces of its own: it is an if and an else.
#define VELMORA_MISSING(reason) \
    if (!InCi())                \
        GTEST_SKIP() << reason; \
    else                        \
        FAIL() << reason << " (CI's machine must have it)"
