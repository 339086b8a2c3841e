// Board animation. All flight arithmetic is single precision, one step a
// frame, with the draws from the shared generator in the order below: a
// recording replays a game only if every flight draws its direction at the
// same moment.
#include "board/animation.h"

#include "audio/sound.h"
#include "platform/globals.h"
#include "resources/resources.h"
#include "video/image.h"

#include <cmath>

// Degrees to radians with pi taken as 3.1415.
static constexpr double DEGREES_TO_RADIANS = 0.01745277777777778;
// 1/22 as a single-precision value: 22 steps for a collect, 27 for a restart.
static constexpr float STEPS_PER_SPEED = 0.045454547f;
static constexpr float FLIGHT_STEP = 22.0f;

static void draw_moth(int colour, int frame, int x, int y)
{
    draw_sprite(nullptr, x, y, table_image(MothImages[colour % MOTH_COLOURS], frame));
}

static void draw_flight(const Cell& cell, int x, int y)
{
    draw_sprite(nullptr, x, y, table_image(FlightImages, cell.colour % FLIGHT_FRAMES));
}

static void next_flight_frame(Cell& cell) { cell.colour = (uint8_t)((cell.colour + 1) % FLIGHT_FRAMES); }

static void flight_setup(Cell& cell, int cx, int cy, float speed)
{
    cell.pos_x = (float)cx;
    cell.pos_y = (float)cy;
    cell.speed = speed;
    int degrees = random(360);
    cell.angle = (float)(degrees * DEGREES_TO_RADIANS);
    cell.cos_a = (float)std::cos((double)cell.angle);
    cell.sin_a = (float)std::sin((double)cell.angle);
    cell.step_x = cell.cos_a * FLIGHT_STEP;
    cell.step_y = cell.sin_a * FLIGHT_STEP;
    cell.steps = (int)(cell.speed * STEPS_PER_SPEED);
}

// One step of a flight; true when it has just ended.
static bool flight_step(Cell& cell)
{
    cell.pos_x += cell.step_x;
    cell.pos_y += cell.step_y;
    cell.steps--;
    draw_flight(cell, (int)cell.pos_x, (int)cell.pos_y);    // truncation toward zero
    next_flight_frame(cell);
    return cell.steps == 0;
}

void cell_jitter(Cell& cell)
{
    if (--cell.jitter_wait != 0)
        return;
    cell.jitter_x = random(5) - 2;
    cell.jitter_wait = 2;
    cell.jitter_y = random(5) - 2;
}

int cell_animate(Cell& cell, int col, int row, bool is_selected)
{
    const CellCentre& centre = cell_centres[cell_index(col, row)];
    int cx = centre.x, cy = centre.y;

    if (is_selected) {
        draw_sprite(nullptr, cx, cy, table_image(SelectionRingImages, cell.counter % RING_FRAMES));
        draw_moth(cell.colour, MOTH_STEADY_FRAME, cx + cell.jitter_x, cy + cell.jitter_y);
        cell_jitter(cell);
        if (++cell.counter == RING_FRAMES)
            cell.counter = 0;
        return 0;
    }

    switch (cell.state) {
    case CELL_SETTLED:
        draw_moth(cell.colour, MOTH_STEADY_FRAME, cx, cy);
        return 0;

    case CELL_MARKED:
        draw_moth(cell.colour, MOTH_STEADY_FRAME, cx, cy);
        if (--cell.counter == 0) {
            cell.colour = 0;    // from here on the byte is the flight frame
            cell.steps = BURST_STEPS;
            cell.state = CELL_BURSTING;
        }
        return 0;

    case CELL_BURSTING:
        if (--cell.steps == 0) {
            cell.colour = 0;
            cell.state = CELL_LAUNCHING;
        }
        draw_flight(cell, cx, cy);
        next_flight_frame(cell);
        return 0;

    case CELL_LAUNCHING:
        flight_setup(cell, cx, cy, COLLECT_FLIGHT_SPEED);
        cell.state = CELL_FLYING;
        draw_flight(cell, cx, cy);
        return 0;

    case CELL_FLYING:
        if (!flight_step(cell))
            return 0;
        collect_points += 1 + colour_points[board.group_colour % MOTH_COLOURS];
        cell.state = CELL_EMPTY;
        return 1;

    case CELL_WAITING:
        if (--cell.counter == 0)
            cell.state = CELL_APPEARING;    // counter is 0: the first appearing frame
        return 0;

    case CELL_APPEARING:
        draw_moth(cell.colour, cell.counter, cx, cy);
        if (++cell.counter < MOTH_APPEAR_FRAMES)
            return 0;
        cell.state = CELL_SETTLED;
        sound_play_slot(SETTLE_SOUND_SLOT, SOUND_PLAY_ONCE);
        return 1;

    case CELL_LEAVING:
        if (--cell.counter == 0) {
            flight_setup(cell, cx, cy, RESTART_FLIGHT_SPEED);
            cell.colour = 0;
            cell.state = CELL_DEPARTING;
        }
        draw_flight(cell, cx, cy);
        return 0;

    case CELL_DEPARTING:
        if (!flight_step(cell))
            return 0;
        cell.state = CELL_EMPTY;
        return 1;

    case CELL_SWAP_START:
        cell.pos_x = (float)cx;
        cell.pos_y = (float)cy;
        cell.steps = 0;
        cell.state = CELL_FADING_OUT;
        draw_moth(cell.colour, MOTH_STEADY_FRAME, cx, cy);
        return 0;

    case CELL_FADING_OUT:
        cell.steps++;
        draw_sprite(nullptr, (int)cell.pos_x, (int)cell.pos_y,
                    table_image(SwapFadeImages[cell.colour % MOTH_COLOURS], cell.steps));
        if (cell.steps != SWAP_HALF_STEPS)
            return 0;
        cell.state = CELL_FADING_IN;
        return 1;

    case CELL_FADING_IN:
        // The records were exchanged between the halves: fade in where the
        // cell now is.
        cell.pos_x = (float)cx;
        cell.pos_y = (float)cy;
        draw_sprite(nullptr, cx, cy, table_image(SwapFadeImages[cell.colour % MOTH_COLOURS], cell.steps));
        if (++cell.steps != 2 * SWAP_HALF_STEPS)
            return 0;
        cell.state = CELL_SETTLED;
        return 1;

    default:
        return 0;
    }
}

static void draw_columns()
{
    for (int col = 0; col < BOARD_COLUMNS; col++) {
        int32_t& frame = board.column_frame[col];
        switch (board.column_state[col]) {
        case COLUMN_OPENING:
            draw_fill_runs(nullptr, 0, 0, table_image(ColumnImages[col], frame));
            if (frame >= COLUMN_OPEN_FRAME)
                board.column_state[col] = COLUMN_OPEN;
            else
                frame++;
            break;
        case COLUMN_OPEN:
            draw_fill_runs(nullptr, 0, 0, table_image(ColumnImages[col], frame));
            break;
        case COLUMN_CLOSING:
            draw_fill_runs(nullptr, 0, 0, table_image(ColumnImages[col], frame));
            if (frame >= COLUMN_CLOSED_FRAME)
                board.column_state[col] = COLUMN_CLOSED;
            else
                frame++;
            break;
        default:
            break;
        }
    }
}

static bool drawn_in_own_pass(int state)
{
    return state == CELL_BURSTING || state == CELL_FLYING || state == CELL_FADING_OUT || state == CELL_FADING_IN;
}

void board_draw()
{
    draw_columns();

    // Every cell but those that fly or fade over the others. A cell that
    // this pass moves into such a state is advanced again below in the same
    // frame: the first burst, flight and fade-out steps come at once.
    for (int i = 0; i < BOARD_CELLS; i++) {
        Cell& cell = board.cells[i];
        if (!drawn_in_own_pass(cell.state))
            board.pending -= cell_animate(cell, i % BOARD_COLUMNS, i / BOARD_COLUMNS, i == board.selected);
    }
    if (board.mode == MODE_COLLECTING) {
        for (int i = 0; i < BOARD_CELLS; i++) {
            Cell& cell = board.cells[i];
            if (cell.state == CELL_FLYING || cell.state == CELL_BURSTING)
                board.pending -= cell_animate(cell, i % BOARD_COLUMNS, i / BOARD_COLUMNS, false);
        }
    }
    if (board.mode == MODE_SWAP_OUT || board.mode == MODE_SWAP_IN) {
        for (int i = 0; i < BOARD_CELLS; i++) {
            Cell& cell = board.cells[i];
            if (cell.state == CELL_FADING_OUT || cell.state == CELL_FADING_IN)
                board.pending -= cell_animate(cell, i % BOARD_COLUMNS, i / BOARD_COLUMNS, false);
        }
    }
}
