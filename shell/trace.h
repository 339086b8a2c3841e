// The frame trace: one JSON object a line, written each time the frame pump
// lets a frame run (after the frame's input polls, before its update), with
// the state of the board, the input and the random generator. For bug
// reports and for checking a game against the rules; the names of the
// fields are kept stable.
#pragma once

#include <cstdio>
#include <string>

// Starts writing the trace to `path`; false when it cannot be created.
bool trace_open(const char* path);
void trace_close();
// The line for the current frame, numbered `frame`.
std::string trace_line(unsigned long long frame);
