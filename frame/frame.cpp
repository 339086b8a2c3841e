#include "frame/frame.h"

#include "frame/pump.h"
#include "frame/settings_keeper.h"
#include "input/input.h"
#include "platform/globals.h"

const char* current_screen = "logo";

int frame_next()
{
    input_poll_mouse();
    input_poll_keys();
    return frame_pump((uint32_t)frame_period);
}

void frame_reset()
{
    current_screen = "logo";
    pump_reset();
    settings_reset();
}
