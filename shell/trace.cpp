#include "shell/trace.h"

#include "board/board.h"
#include "board/game_screen.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/platform.h"
#include "shell/flow.h"
#include "frame/pump.h"

#include <string>

static FILE* trace_file = nullptr;
static unsigned long long trace_frames = 0;

namespace {

void add(std::string& out, const char* name, long long value)
{
    out += ", \"";
    out += name;
    out += "\": ";
    out += std::to_string(value);
}

void add_array(std::string& out, const char* name, const int32_t* values, int count)
{
    out += ", \"";
    out += name;
    out += "\": [";
    for (int i = 0; i < count; i++) {
        if (i)
            out += ", ";
        out += std::to_string(values[i]);
    }
    out += "]";
}

void write_frame()
{
    std::string line = trace_line(trace_frames++);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), trace_file);
}

}  // namespace

std::string trace_line(unsigned long long frame)
{
    std::string out = "{\"frame\": " + std::to_string(frame);
    out += ", \"screen\": \"";
    out += current_screen;
    out += "\"";
    add(out, "tick", platform_ticks());
    out += ", \"input\": {\"x\": " + std::to_string(input.mouse_x) + ", \"y\": " + std::to_string(input.mouse_y);
    out += ", \"left\": " + std::to_string(input.mouse_left ? 1 : 0);
    out += ", \"right\": " + std::to_string(input.mouse_right ? 1 : 0) + ", \"keys\": [";
    bool first = true;
    for (int key = 0; key < 256; key++) {
        if (!input.keys[key])
            continue;
        if (!first)
            out += ", ";
        out += std::to_string(key);
        first = false;
    }
    out += "]}";
    add(out, "rng", rng_state);
    add(out, "mode", board.mode);
    add(out, "pending", board.pending);
    add(out, "score", board.score);
    add(out, "moth_count", board.moth_count);
    add(out, "open_columns", board.open_columns);
    add(out, "selected", board.selected);
    add(out, "swap_from", board.swap_from);
    add(out, "swap_to", board.swap_to);
    add(out, "group_colour", board.group_colour);
    add(out, "collect_points", collect_points);
    add(out, "spawn_stagger", spawn_stagger);
    add(out, "keep_score", keep_score);
    add(out, "click_armed", click_armed);
    add(out, "collect_pause", collect_pause);
    add(out, "frame_period", frame_period);
    add_array(out, "column_state", board.column_state, BOARD_COLUMNS);
    add_array(out, "column_frame", board.column_frame, BOARD_COLUMNS);
    out += ", \"cells\": [";
    for (int i = 0; i < BOARD_CELLS; i++) {
        const Cell& c = board.cells[i];
        if (i)
            out += ", ";
        out += "[" + std::to_string(c.state) + ", " + std::to_string(c.colour) + ", " + std::to_string(c.counter) +
               ", " + std::to_string(c.steps) + "]";
    }
    out += "]}";
    return out;
}

bool trace_open(const char* path)
{
    trace_close();
    trace_file = std::fopen(path, "w");
    if (!trace_file)
        return false;
    trace_frames = 0;
    pump_frame_hook = write_frame;
    return true;
}

void trace_close()
{
    if (trace_file)
        std::fclose(trace_file);
    trace_file = nullptr;
    pump_frame_hook = nullptr;
}
