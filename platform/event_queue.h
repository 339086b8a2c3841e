// The game's events a backend has made and the pump has not taken yet: a
// ring of 64, enough for the most any one window message or typed text
// makes. Both backends keep one; plain data, so a backend resets it by
// assigning a fresh EventQueue.
#pragma once

#include "platform/platform.h"

#include <cstdint>

constexpr int EVENT_QUEUE_SIZE = 64;

struct EventQueue {
    PlatformEvent events[EVENT_QUEUE_SIZE];
    int head = 0, count = 0;
};

// Queues one event. A full queue loses the newest: the game takes events
// every frame, so only a flood fills it.
void event_queue_push(EventQueue* queue, int kind, uint32_t value = 0);
// Takes the oldest event; false when there is none.
bool event_queue_pop(EventQueue* queue, PlatformEvent* event);
