// The instruments the sound effects are made with: bells, gliding tones,
// moving bands of air, wing beats and a small room, summed into one wave
// at full precision; then levelled and quantised to unsigned 8-bit mono
// with dither. Every step is deterministic (seeded generators only).
#pragma once

#include "resources/pack_writer.h"

#include <cstdint>
#include <functional>
#include <vector>

// A wave under construction: 1.0 is full scale.
struct Voice {
    std::vector<double> wave;
};
Voice voice(double seconds);

// A small deterministic generator: the same seed gives the same numbers on
// every build and every machine.
struct Dice {
    uint32_t state;
    double uniform();                   // 0 <= x < 1
    double between(double low, double high) { return low + (high - low) * uniform(); }
    double noise() { return between(-1.0, 1.0); }
};

using Curve = std::function<double(double)>;    // of u, 0..1 over a stretch of time

// A struck note: partials at the given ratios, each with its own level and
// a decay of its own (higher partials die sooner), every partial a pair of
// slightly detuned oscillators so that it breathes rather than buzzes.
// `glide` multiplies the pitch per second (1 keeps it).
struct Partial {
    double ratio, level, decay;    // decay: multiple of the note's decay rate
};
extern const std::vector<Partial> BELL_PARTIALS;     // round, soft chime
extern const std::vector<Partial> GLASS_PARTIALS;    // brighter, inharmonic
void bell(Voice& v, double start, double frequency, double amplitude, double decay,
          const std::vector<Partial>& partials = BELL_PARTIALS, double glide = 1.0);

// A held tone with a few harmonics gliding from one pitch to another
// (exponentially) under an envelope.
void glide(Voice& v, double start, double length, double from_hz, double to_hz, double amplitude, const Curve& envelope,
           double harmonics = 0.3);

// Noise through a band-pass that moves: `band(u)` is its centre frequency,
// `envelope(u)` its loudness.
void breath(Voice& v, double start, double length, double amplitude, const Curve& band, const Curve& envelope,
            uint32_t seed);

// One beat of a wing: a short puff of air around `frequency`, rising fast
// and dying away over `length` seconds.
void wing_beat(Voice& v, double start, double length, double frequency, double amplitude, Dice& dice);

// A small room: the wave plus its reflections, dying away by 60 dB in
// `decay` seconds; `size` scales the room, `wet` the level of the
// reflections, `damping` (0..1) how fast the highs die.
void room(Voice& v, double size, double decay, double wet, double damping = 0.35);

// Removes what lies below `hz` (two poles), for sounds that must carry on
// small speakers.
void high_pass(Voice& v, double hz);

// The envelope shapes the recipes share: a half-sine rise to 1 at `rise`,
// then a quarter-cosine fall to 0 at 1.
double hump(double u, double rise);

// Loudness of a wave as the game's samples are compared: the loudest
// 100 ms of it, as RMS relative to full scale, after the lows below about
// 150 Hz are taken out (they carry little on the speakers that play it).
double synth_loudness(const std::vector<double>& wave);

// Levels the wave so that its loudness comes to `loudness` (RMS relative
// to full scale), its peaks held under `ceiling` by a smooth limiter and
// lifted to it when they fall short; trims the tail once it stays under
// one 8-bit step; eases the first and last milliseconds; quantises.
Bytes finish(Voice& v, double loudness, double ceiling, uint32_t seed);

// Unsigned 8-bit samples (128 = silence) from a wave in full-scale units,
// with triangular dither shaped away from the ear's most sensitive band.
// The dither fades out after the wave's last full step and what is left
// under a step becomes silence, exactly 128.
Bytes synth_quantise(const std::vector<double>& wave, uint32_t seed);
