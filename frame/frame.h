// The start of every frame of every screen: the mouse poll (which also
// records or plays back), the keyboard poll, then the frame pump.
#pragma once

// 1: draw the frame. 0: the program is closing; return to the caller at once.
int frame_next();
