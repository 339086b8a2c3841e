// The autoplayer's choice of a move on the player's turn.
//
// The best strategy collects whenever a group of four stands in a column,
// the richest group first, and one that empties its column (a closed column
// reopens, or the bonus) before all. Otherwise it swaps. A swap never
// changes how many moths a column holds, so what it can change is only
// which colours stand together: every pair of columns and pair of colours
// is weighed by the worth of the two columns afterwards. A column's worth
// grows with its groups (a group of four is collected on the next turn),
// and most of all when one colour fills it alone, so that collecting it
// empties the column. A full column closes at the end of any swap, so
// nothing put into it counts, but a moth taken out of it may still make a
// group elsewhere. (Looking a few turns ahead with made-up arrivals was
// tried and played worse: the arrivals' luck drowned the swaps' worth.)
#include "autoplay/autoplay.h"

#include "board/board.h"

namespace {

struct Column {
    bool open;
    int fill;                       // cells holding a moth in any state
    int count[MOTH_COLOURS];        // settled moths of each colour
};

void read_column(int col, Column* column)
{
    column->open = board.column_state[col] == COLUMN_OPEN;
    column->fill = 0;
    for (int k = 0; k < MOTH_COLOURS; k++)
        column->count[k] = 0;
    for (int row = 0; row < BOARD_ROWS; row++) {
        const Cell& cell = board.cells[cell_index(col, row)];
        if (cell.state == CELL_EMPTY)
            continue;
        column->fill++;
        if (cell.state == CELL_SETTLED && cell.colour < MOTH_COLOURS)
            column->count[cell.colour]++;
    }
}

int closed_columns()
{
    int closed = 0;
    for (int col = 0; col < BOARD_COLUMNS; col++)
        if (board.column_state[col] != COLUMN_OPEN)
            closed++;
    return closed;
}

// A full column closes at the end of the swap: whatever stands in it is lost.
constexpr int FULL_COLUMN = -2000;

int column_worth(const Column& c)
{
    if (!c.open)
        return 0;
    if (c.fill == BOARD_ROWS)
        return FULL_COLUMN;
    int worth = 0;
    int colours = 0;
    for (int k = 0; k < MOTH_COLOURS; k++) {
        int n = c.count[k];
        colours += n > 0;
        bool alone = n == c.fill;    // collecting the colour would empty the column
        if (n >= 4)
            worth += 1000 + 10 * n * (1 + colour_points[k]) + (alone ? 600 : 0);
        else if (n == 3)
            worth += 120 + (alone ? 40 : 0);
        else if (n == 2)
            worth += 20 + (alone ? 10 : 0);
    }
    // Mixed columns are hard to empty: every colour beyond the first costs.
    if (colours > 1)
        worth -= 6 * (colours - 1);
    return worth;
}

int random_below(uint32_t* state, int n) { return (int)(autoplay_dice(state) % (uint32_t)n); }

bool settled(int i) { return board.cells[i].state == CELL_SETTLED; }

// The cell of the given colour in the given column, the topmost one.
int cell_of_colour(int col, int colour)
{
    for (int row = 0; row < BOARD_ROWS; row++) {
        int i = cell_index(col, row);
        if (settled(i) && board.cells[i].colour == colour)
            return i;
    }
    return -1;
}

bool choose_collect(const Column* columns, AutoplayMove* move)
{
    int best = -1;
    int best_value = 0;
    bool closed = closed_columns() > 0;
    for (int col = 0; col < BOARD_COLUMNS; col++) {
        for (int k = 0; k < MOTH_COLOURS; k++) {
            int n = columns[col].count[k];
            if (n < min_group)
                continue;
            int value = n * (1 + colour_points[k]);
            if (n == columns[col].fill)
                value += closed ? 200 : 100;
            value += 5 * columns[col].fill;    // the fullest column is freed first
            if (value > best_value) {
                best_value = value;
                best = cell_of_colour(col, k);
            }
        }
    }
    if (best < 0)
        return false;
    *move = {CLICK_COLLECT, best, -1};
    return true;
}

bool choose_swap(const Column* columns, uint32_t* random_state, AutoplayMove* move)
{
    int best_value = 0;
    int ties = 0;
    bool found = false;
    for (int a = 0; a < BOARD_COLUMNS; a++) {
        for (int b = a + 1; b < BOARD_COLUMNS; b++) {
            const Column& ca = columns[a];
            const Column& cb = columns[b];
            int before = column_worth(ca) + column_worth(cb);
            for (int ka = 0; ka < MOTH_COLOURS; ka++) {
                if (!ca.count[ka])
                    continue;
                for (int kb = 0; kb < MOTH_COLOURS; kb++) {
                    if (kb == ka || !cb.count[kb])
                        continue;
                    Column na = ca, nb = cb;
                    na.count[ka]--;
                    na.count[kb]++;
                    nb.count[kb]--;
                    nb.count[ka]++;
                    int value = column_worth(na) + column_worth(nb) - before;
                    // Equal swaps are taken at random, each with the same chance.
                    if (!found || value > best_value) {
                        best_value = value;
                        ties = 1;
                    } else if (value < best_value || random_below(random_state, ++ties) != 0) {
                        continue;
                    }
                    found = true;
                    *move = {CLICK_PICK, cell_of_colour(a, ka), cell_of_colour(b, kb)};
                }
            }
        }
    }
    return found;
}

// Every legal action counted once: each moth of a collectable group (unless
// the player never collects), and each pair of moths that may change places.
bool choose_random(bool collects, uint32_t* random_state, AutoplayMove* move)
{
    int actions = 0;
    for (int i = 0; collects && i < BOARD_CELLS; i++)
        if (settled(i) && board_group_ok(i % BOARD_COLUMNS, i / BOARD_COLUMNS) && random_below(random_state, ++actions) == 0)
            *move = {CLICK_COLLECT, i, -1};
    for (int a = 0; a < BOARD_CELLS; a++) {
        if (!settled(a))
            continue;
        for (int b = a + 1; b < BOARD_CELLS; b++) {
            if (!settled(b) || a % BOARD_COLUMNS == b % BOARD_COLUMNS || board.cells[a].colour == board.cells[b].colour)
                continue;
            if (random_below(random_state, ++actions) == 0)
                *move = {CLICK_PICK, a, b};
        }
    }
    return actions > 0;
}

}  // namespace

bool autoplay_choose(int strategy, uint32_t* random_state, AutoplayMove* move)
{
    if (strategy == AUTOPLAY_RANDOM || strategy == AUTOPLAY_CARELESS)
        return choose_random(strategy == AUTOPLAY_RANDOM, random_state, move);
    Column columns[BOARD_COLUMNS];
    for (int col = 0; col < BOARD_COLUMNS; col++)
        read_column(col, &columns[col]);
    if (choose_collect(columns, move))
        return true;
    if (strategy == AUTOPLAY_HASTY)
        return choose_random(false, random_state, move);
    return choose_swap(columns, random_state, move);
}

uint32_t autoplay_dice(uint32_t* state)
{
    // xorshift32, which never leaves zero: a zero state starts elsewhere.
    uint32_t x = *state ? *state : 0x9E3779B9u;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    *state = x;
    return x;
}
