// The sound effects: soft bells, chimes, wing beats and moving air in a
// small room, as unsigned 8-bit mono at 22050 Hz. Every effect is levelled
// to the same loudness with its peaks just under full scale (but for the
// landing chime, heard for every moth, which is kept soft), dithered, and
// starts and ends on the silence level.
#include "tools/art/art.h"
#include "tools/art/sound_synth.h"
#include "platform/globals.h"

#include <cmath>

namespace {

// The loudness every effect is brought to (RMS of its loudest 100 ms), its
// peaks 1 dB under full scale; the landing chime about 10 dB softer, with
// its peaks 9 dB under.
const double LOUDNESS = std::pow(10.0, -11.5 / 20);
const double CEILING = std::pow(10.0, -1.0 / 20);
const double SOFT_LOUDNESS = std::pow(10.0, -21.0 / 20);
const double SOFT_CEILING = std::pow(10.0, -9.0 / 20);

// The swap's fade out and in, one frame per swap picture, at the speed the
// game starts with: the swap sound lasts at least as long.
constexpr double SWAP_SECONDS = SWAP_FRAMES * FRAME_PERIOD_START / 1000.0;

Bytes transition()
{
    // Night air moving across the screen, a falling shimmer in it and a few
    // sparks of light.
    Voice v = voice(0.85);
    breath(v, 0.0, 0.85, 0.9, [](double u) { return 500 + 2600 * std::sin(u * M_PI); },
           [](double u) { return hump(u, 0.45); }, 7);
    glide(v, 0.04, 0.75, 2350, 1175, 0.07, [](double u) { return hump(u, 0.3) * (0.75 + 0.25 * std::sin(u * 38)); },
          0.2);
    glide(v, 0.08, 0.7, 1760, 880, 0.05, [](double u) { return hump(u, 0.4); }, 0.25);
    Dice dice{71};
    for (int i = 0; i < 6; i++)
        bell(v, dice.between(0.1, 0.6), dice.between(2600, 4200), 0.05, dice.between(14, 22), GLASS_PARTIALS);
    room(v, 0.9, 0.5, 0.35);
    return finish(v, LOUDNESS, CEILING, 101);
}

Bytes settles()
{
    // A small round chime: heard for every moth that lands, so short and
    // soft, with a touch of room.
    Voice v = voice(0.14);
    bell(v, 0.0, 1318.5, 1.0, 30);
    bell(v, 0.008, 1975.5, 0.22, 40);
    high_pass(v, 400);
    room(v, 0.5, 0.12, 0.18);
    return finish(v, SOFT_LOUDNESS, SOFT_CEILING, 102);
}

Bytes menu_opens()
{
    // A rising chord, struck one note after the other, and a breath of air.
    Voice v = voice(0.5);
    bell(v, 0.00, 523.25, 0.7, 8);
    bell(v, 0.06, 659.25, 0.7, 8);
    bell(v, 0.12, 783.99, 0.8, 7);
    bell(v, 0.12, 1567.98, 0.12, 10, GLASS_PARTIALS);
    breath(v, 0.0, 0.3, 0.15, [](double u) { return 3000 + 2000 * u; }, [](double u) { return hump(u, 0.2); }, 11);
    high_pass(v, 250);
    room(v, 0.8, 0.45, 0.3);
    return finish(v, LOUDNESS, CEILING, 104);
}

Bytes sound_on()
{
    // Up a fourth: sound comes back.
    Voice v = voice(0.32);
    bell(v, 0.0, 783.99, 0.8, 11);
    bell(v, 0.08, 1046.5, 1.0, 9);
    bell(v, 0.08, 2093.0, 0.1, 14, GLASS_PARTIALS);
    high_pass(v, 250);
    room(v, 0.7, 0.35, 0.25);
    return finish(v, LOUDNESS, CEILING, 106);
}

Bytes sound_off()
{
    // Down a fourth, darker: sound goes away.
    Voice v = voice(0.32);
    bell(v, 0.0, 1046.5, 0.8, 12);
    bell(v, 0.08, 783.99, 0.9, 11);
    high_pass(v, 250);
    room(v, 0.7, 0.3, 0.22, 0.55);
    return finish(v, LOUDNESS, CEILING, 107);
}

Bytes menu_choice()
{
    // A short tap of glass.
    Voice v = voice(0.14);
    bell(v, 0.0, 1318.5, 1.0, 28);
    bell(v, 0.0, 2637.0, 0.15, 40, GLASS_PARTIALS);
    breath(v, 0.0, 0.015, 0.25, [](double) { return 5000; }, [](double u) { return 1 - u; }, 5);
    high_pass(v, 300);
    room(v, 0.6, 0.2, 0.2);
    return finish(v, LOUDNESS, CEILING, 108);
}

Bytes restart()
{
    // Every moth takes wing at once: many wings, each beating at its own
    // pace and a little unevenly, so the flock flutters without a single
    // hum; they go away, higher and fainter, on a falling sweep of air.
    Voice v = voice(1.0);
    Dice dice{23};
    for (int moth = 0; moth < 16; moth++) {
        double rate = dice.between(11, 19);
        double pitch = dice.between(700, 1900);
        double leaves = dice.between(0.45, 0.9);
        double level = dice.between(0.5, 1.0);
        for (double t = dice.between(0.0, 0.12); t < leaves; t += dice.between(0.8, 1.25) / rate) {
            double away = t / leaves;
            double strength = level * (away < 0.15 ? away / 0.15 : 1.0) * (1 - away) * (1 - away);
            wing_beat(v, t, dice.between(0.018, 0.03), pitch * (1 + 0.35 * away), 0.45 * strength, dice);
        }
    }
    breath(v, 0.0, 0.9, 0.5, [](double u) { return 1700 - 900 * u; }, [](double u) { return hump(u, 0.12); }, 29);
    glide(v, 0.0, 0.8, 660, 330, 0.06, [](double u) { return hump(u, 0.15); }, 0.35);
    high_pass(v, 250);
    room(v, 1.0, 0.5, 0.3);
    return finish(v, LOUDNESS, CEILING, 109);
}

Bytes swap()
{
    // Two tones passing each other while the moths fade out and in: they
    // meet half way, where the moths change places, with a small spark of
    // light, and part again.
    Voice v = voice(SWAP_SECONDS + 0.05);
    auto swell = [](double u) {
        double body = u < 0.12   ? std::sin(u / 0.12 * M_PI / 2)
                      : u > 0.85 ? std::cos((u - 0.85) / 0.15 * M_PI / 2)
                                 : 1.0;
        double meet = 1.0 + 0.35 * std::exp(-std::pow((u - 0.5) / 0.12, 2));
        return body * meet * (0.85 + 0.15 * std::sin(u * 2 * M_PI * 6));
    };
    glide(v, 0.0, SWAP_SECONDS, 523.25, 1046.5, 0.32, swell, 0.35);
    glide(v, 0.0, SWAP_SECONDS, 1046.5, 523.25, 0.28, swell, 0.3);
    bell(v, SWAP_SECONDS / 2 - 0.03, 1568.0, 0.3, 9, GLASS_PARTIALS);
    bell(v, SWAP_SECONDS / 2 - 0.01, 2093.0, 0.18, 11, GLASS_PARTIALS);
    breath(v, 0.0, SWAP_SECONDS, 0.22, [](double u) { return 2200 + 1800 * std::sin(u * M_PI); },
           [](double u) { return hump(u, 0.5); }, 31);
    high_pass(v, 250);
    room(v, 0.9, 0.45, 0.3);
    return finish(v, LOUDNESS, CEILING, 110);
}

Bytes collect()
{
    // A bright rising sparkle: the moths fly off with their light.
    Voice v = voice(0.8);
    const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int i = 0; i < 4; i++) {
        bell(v, i * 0.06, notes[i], 0.8, 6.5 + i);
        bell(v, i * 0.06 + 0.004, notes[i] * 2, 0.1, 10 + i, GLASS_PARTIALS);
    }
    breath(v, 0.05, 0.6, 0.2, [](double u) { return 5000 + 2000 * u; },
           [](double u) { return hump(u, 0.2) * (0.6 + 0.4 * std::sin(u * 2 * M_PI * 7)); }, 41);
    high_pass(v, 300);
    room(v, 1.0, 0.6, 0.3);
    return finish(v, LOUDNESS, CEILING, 111);
}

Bytes column_closes()
{
    // A row of lanterns going dark: a falling pair of bell tones, a dimming
    // hum and a puff of air, carried in the middle of the range so that
    // small speakers keep it.
    Voice v = voice(0.75);
    bell(v, 0.0, 587.33, 0.8, 6, BELL_PARTIALS, 0.8);
    bell(v, 0.12, 440.0, 0.8, 6, BELL_PARTIALS, 0.8);
    glide(v, 0.0, 0.7, 880, 330, 0.25, [](double u) { return hump(u, 0.08) * (1 - 0.4 * u); }, 0.45);
    breath(v, 0.0, 0.4, 0.3, [](double u) { return 1500 - 900 * u; }, [](double u) { return hump(u, 0.1); }, 53);
    high_pass(v, 220);
    room(v, 1.0, 0.5, 0.3, 0.5);
    return finish(v, LOUDNESS, CEILING, 112);
}

}  // namespace

std::vector<Bytes> art_sound_samples()
{
    // 1, 3 and 5 are not played by the game; they stay empty.
    return {transition(), {}, settles(), {}, menu_opens(), {}, sound_on(),
            sound_off(),  menu_choice(), restart(), swap(), collect(), column_closes()};
}
