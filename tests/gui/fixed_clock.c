/* Preloaded into the program under test: the wall clock reads
   IROMAKI_CLOCK_START seconds from the process's first look at it for a minute,
   then runs on from there. The program seeds its generator from this clock
   at start-up, so a test knows the seed without any door into the program. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <time.h>

static int (*real_clock_gettime)(clockid_t, struct timespec*);
static long long start, first = -1;
enum { kFrozenSeconds = 60 };

int clock_gettime(clockid_t clock, struct timespec* ts) {
    if (!real_clock_gettime) {
        real_clock_gettime = (int (*)(clockid_t, struct timespec*))dlsym(RTLD_NEXT, "clock_gettime");
        const char* text = getenv("IROMAKI_CLOCK_START");
        start = text ? atoll(text) : 0;
    }
    int result = real_clock_gettime(clock, ts);
    if (result != 0 || !start || (clock != CLOCK_REALTIME && clock != CLOCK_REALTIME_COARSE))
        return result;
    if (first < 0) first = ts->tv_sec;
    long long elapsed = ts->tv_sec - first - kFrozenSeconds;
    if (elapsed < 0) {
        ts->tv_sec = start;
        ts->tv_nsec = 0;
    } else {
        ts->tv_sec = start + elapsed;
    }
    return result;
}
