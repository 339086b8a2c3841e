#include "platform/system_clock.h"

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace {

int64_t monotonic_ns()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

// The part of a wait spent spinning rather than asleep: a sleep may
// overshoot by about this much.
constexpr int64_t SPIN_NS = 500000;

}  // namespace

uint32_t system_ticks() { return (uint32_t)(monotonic_ns() / 1000000); }

// The tick count moves on by `ms` when the clock's millisecond count
// reaches the next whole millisecond `ms` from now.
void system_wait(uint32_t ms)
{
    int64_t now = monotonic_ns();
    int64_t deadline = (now / 1000000 + ms) * 1000000;
    int64_t sleep_ns = deadline - now - SPIN_NS;
    if (sleep_ns > 0) {
        timespec wait = {(time_t)(sleep_ns / 1000000000), (long)(sleep_ns % 1000000000)};
        while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
        }
    }
    while (monotonic_ns() < deadline) {
    }
}
