#include "platform/event_queue.h"

void event_queue_push(EventQueue* queue, int kind, uint32_t value)
{
    if (queue->count == EVENT_QUEUE_SIZE)
        return;
    queue->events[(queue->head + queue->count++) % EVENT_QUEUE_SIZE] = PlatformEvent{kind, value};
}

bool event_queue_pop(EventQueue* queue, PlatformEvent* event)
{
    if (queue->count == 0)
        return false;
    *event = queue->events[queue->head];
    queue->head = (queue->head + 1) % EVENT_QUEUE_SIZE;
    queue->count--;
    return true;
}
