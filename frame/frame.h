// The start of every frame of every screen: the mouse poll (which also
// records or plays back), the keyboard poll, then the frame pump.
#pragma once

// The name of the screen whose loop is running, set by each screen as it
// starts, for the frame trace and the autoplayer:
// "logo", "title", "opening", "game", "menu", "gameover", "transition",
// "hiscore".
extern const char* current_screen;

// 1: draw the frame. 0: the program is closing; return to the caller at once.
int frame_next();

// The current screen, the pump and the settings keeper as a new process has
// them. The pump's frame hook, a watcher laid over the program, stays.
void frame_reset();
