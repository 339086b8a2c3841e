#include "frame/frame.h"

#include "frame/pump.h"
#include "input/input.h"
#include "platform/globals.h"

const char* current_screen = "logo";

int frame_next()
{
    input_poll_mouse();
    input_poll_keys();
    return frame_pump((uint32_t)frame_period);
}
