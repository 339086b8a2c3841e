#include "platform/system_clock.h"

#include <cerrno>
#include <ctime>

uint32_t system_ticks()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t ms = (uint64_t)now.tv_sec * 1000u + (uint64_t)now.tv_nsec / 1000000u;
    return (uint32_t)ms;
}

void system_sleep(uint32_t ms)
{
    timespec wait = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}
