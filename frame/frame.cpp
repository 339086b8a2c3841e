#include "frame/frame.h"

#include "input/input.h"
#include "platform/globals.h"
#include "frame/pump.h"

int frame_next()
{
    input_poll_mouse();
    input_poll_keys();
    return frame_pump((uint32_t)frame_period);
}
