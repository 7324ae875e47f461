#pragma once

// What a piece of work cost the test process, from getrusage: processor time
// and the growth of the peak resident memory. Hostile-input tests hold the
// work to generous fixed bounds, so a file that makes the program spin or
// allocate gigabytes fails the test instead of passing slowly.

#include <sys/resource.h>

struct Risorse {
    static rusage ora()
    {
        rusage r{};
        getrusage(RUSAGE_SELF, &r);
        return r;
    }

    rusage inizio = ora();

    // Processor seconds, user and system, since the start.
    double secondi() const
    {
        const rusage r = ora();
        auto s = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        return s(r.ru_utime) + s(r.ru_stime) - s(inizio.ru_utime) - s(inizio.ru_stime);
    }

    // Growth of the peak resident memory since the start, in megabytes.
    double megabyte() const { return double(ora().ru_maxrss - inizio.ru_maxrss) / 1024.0; }
};

// The bounds hostile input is held to.
// The sanitizer build runs the same code several times slower; the bound
// is there to catch a runaway parse or query (minutes), not to time it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr double limite_secondi = 30.0;
#else
inline constexpr double limite_secondi = 3.0;
#endif
inline constexpr double limite_megabyte = 500.0;
