// How often a benchmark runs. The figures come from full runs; a smoke run (the tests set
// BRACKENFOLD_BENCH_SMOKE) runs each benchmark once, only to show that it still works.
#pragma once

#include <cstdlib>

inline bool benchSmokeRun()
{
    const char *smoke = std::getenv("BRACKENFOLD_BENCH_SMOKE");
    return smoke != nullptr && *smoke != '\0';
}

// A fixed count of iterations or repetitions, one in a smoke run.
inline int benchRuns(int count)
{
    return benchSmokeRun() ? 1 : count;
}
