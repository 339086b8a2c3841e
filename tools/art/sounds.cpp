// The sound effects, synthesized: soft bells, chimes, wing flutters and
// airy sweeps, as unsigned 8-bit mono at 22050 Hz. Every sample starts and
// ends on the silence level and stays clear of clipping.
#include "tools/art/art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace {

struct Voice {
    std::vector<double> wave;
};

Voice voice(double seconds) { return Voice{std::vector<double>((size_t)(seconds * SAMPLE_RATE), 0.0)}; }

// A bell-like note: a few inharmonic partials that fade at their own pace.
void bell(Voice& v, double start, double frequency, double amplitude, double decay, double glide = 1.0)
{
    const double partials[][3] = {{1.0, 1.0, 1.0}, {2.0, 0.45, 1.6}, {3.01, 0.2, 2.4}, {4.17, 0.1, 3.4}};
    size_t from = (size_t)(start * SAMPLE_RATE);
    for (size_t i = from; i < v.wave.size(); i++) {
        double t = (i - from) / (double)SAMPLE_RATE;
        double attack = std::min(1.0, t / 0.004);
        double f = frequency * std::pow(glide, t);
        for (const auto& p : partials) {
            double env = attack * std::exp(-t * decay * p[2]);
            if (env < 1e-4)
                continue;
            v.wave[i] += amplitude * p[1] * env * std::sin(2 * M_PI * f * p[0] * t);
        }
    }
}

// A plain tone gliding from one frequency to another under an envelope.
void glide(Voice& v, double start, double length, double from_hz, double to_hz, double amplitude,
           const std::function<double(double)>& envelope)
{
    size_t first = (size_t)(start * SAMPLE_RATE);
    size_t count = (size_t)(length * SAMPLE_RATE);
    double phase = 0;
    for (size_t k = 0; k < count && first + k < v.wave.size(); k++) {
        double u = k / (double)count;
        double f = from_hz * std::pow(to_hz / from_hz, u);
        phase += 2 * M_PI * f / SAMPLE_RATE;
        v.wave[first + k] += amplitude * envelope(u) * std::sin(phase);
    }
}

// Noise through a band that moves: `band(u)` gives the centre frequency,
// `envelope(u)` the loudness, u running 0..1 over the length.
void breath(Voice& v, double start, double length, double amplitude, const std::function<double(double)>& band,
            const std::function<double(double)>& envelope, uint32_t seed)
{
    size_t first = (size_t)(start * SAMPLE_RATE);
    size_t count = (size_t)(length * SAMPLE_RATE);
    double low1 = 0, low2 = 0, high = 0;
    uint32_t state = seed;
    for (size_t k = 0; k < count && first + k < v.wave.size(); k++) {
        state = state * 1664525u + 1013904223u;
        double white = ((state >> 8) & 0xFFFF) / 32768.0 - 1.0;
        double u = k / (double)count;
        double a = 1.0 - std::exp(-2 * M_PI * band(u) / SAMPLE_RATE);
        low1 += a * (white - low1);
        low2 += a * (low1 - low2);
        double b = 1.0 - std::exp(-2 * M_PI * band(u) * 0.5 / SAMPLE_RATE);
        high += b * (low2 - high);
        v.wave[first + k] += amplitude * envelope(u) * (low2 - high) * 3.0;
    }
}

double hump(double u, double rise) { return u < rise ? std::sin(u / rise * M_PI / 2) : std::cos((u - rise) / (1 - rise) * M_PI / 2); }

// To bytes: scaled so the loudest point reaches `peak`, the first and last
// milliseconds eased in and out so nothing clicks.
Bytes finish(Voice& v, double peak)
{
    double loudest = 1e-9;
    for (double s : v.wave)
        loudest = std::max(loudest, std::fabs(s));
    size_t n = v.wave.size();
    size_t in = std::min(n / 4, (size_t)(0.003 * SAMPLE_RATE));
    size_t out = std::min(n / 4, (size_t)(0.02 * SAMPLE_RATE));
    Bytes bytes(n);
    for (size_t i = 0; i < n; i++) {
        double gain = peak / loudest;
        if (i < in)
            gain *= 0.5 - 0.5 * std::cos(M_PI * i / in);
        if (i + out >= n)
            gain *= 0.5 - 0.5 * std::cos(M_PI * (n - 1 - i) / out);
        int value = 128 + (int)std::lround(v.wave[i] * gain * 127.0);
        bytes[i] = (uint8_t)std::clamp(value, 1, 255);
    }
    bytes.front() = 128;
    bytes.back() = 128;
    return bytes;
}

Bytes transition()
{
    // An airy sweep, like night air moving, with a falling shimmer.
    Voice v = voice(0.8);
    breath(v, 0.0, 0.8, 0.9, [](double u) { return 400 + 2600 * std::sin(u * M_PI); }, [](double u) { return hump(u, 0.45); },
           7);
    glide(v, 0.05, 0.7, 2400, 1200, 0.12, [](double u) { return hump(u, 0.3) * (0.6 + 0.4 * std::sin(u * 60)); });
    return finish(v, 0.55);
}

Bytes settles()
{
    // A tiny glass bell: short and soft, it rings whenever a moth lands.
    Voice v = voice(0.16);
    bell(v, 0.0, 1760, 1.0, 26);
    bell(v, 0.012, 2637, 0.35, 34);
    return finish(v, 0.32);
}

Bytes menu_opens()
{
    Voice v = voice(0.45);
    bell(v, 0.00, 523.25, 0.8, 9);
    bell(v, 0.06, 659.25, 0.8, 9);
    bell(v, 0.12, 783.99, 0.9, 8);
    breath(v, 0.0, 0.3, 0.25, [](double u) { return 3000 + 2000 * u; }, [](double u) { return hump(u, 0.2); }, 11);
    return finish(v, 0.5);
}

Bytes sound_on()
{
    Voice v = voice(0.32);
    bell(v, 0.0, 783.99, 0.8, 12);
    bell(v, 0.08, 1046.5, 1.0, 10);
    return finish(v, 0.5);
}

Bytes sound_off()
{
    Voice v = voice(0.32);
    bell(v, 0.0, 1046.5, 0.8, 12);
    bell(v, 0.08, 783.99, 0.9, 11);
    return finish(v, 0.42);
}

Bytes menu_choice()
{
    Voice v = voice(0.14);
    bell(v, 0.0, 1318.5, 1.0, 30);
    breath(v, 0.0, 0.02, 0.3, [](double) { return 5000; }, [](double u) { return 1 - u; }, 5);
    return finish(v, 0.45);
}

Bytes restart()
{
    // Every moth takes wing: a flutter of many wings, going away.
    Voice v = voice(0.9);
    breath(v, 0.0, 0.9, 1.0, [](double u) { return 1800 - 1000 * u; },
           [](double u) {
               double beat = 0.55 + 0.45 * std::sin(u * 0.9 * 2 * M_PI * 22);
               return hump(u, 0.15) * beat;
           },
           23);
    glide(v, 0.0, 0.8, 700, 260, 0.15, [](double u) { return hump(u, 0.1); });
    return finish(v, 0.5);
}

Bytes swap()
{
    // Two tones passing each other, shimmering.
    Voice v = voice(0.5);
    auto shimmer = [](double u) { return hump(u, 0.3) * (0.7 + 0.3 * std::sin(u * 2 * M_PI * 9)); };
    glide(v, 0.0, 0.5, 520, 1040, 0.5, shimmer);
    glide(v, 0.0, 0.5, 1040, 520, 0.5, shimmer);
    breath(v, 0.0, 0.5, 0.2, [](double u) { return 2500 + 1500 * std::sin(u * M_PI); }, [](double u) { return hump(u, 0.5); },
           31);
    return finish(v, 0.45);
}

Bytes collect()
{
    // A bright rising sparkle: the moths fly off with their light.
    Voice v = voice(0.75);
    const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int i = 0; i < 4; i++)
        bell(v, i * 0.06, notes[i], 0.8, 7 + i);
    breath(v, 0.05, 0.6, 0.22, [](double u) { return 5000 + 2000 * u; },
           [](double u) { return hump(u, 0.2) * (0.5 + 0.5 * std::sin(u * 2 * M_PI * 14)); }, 41);
    return finish(v, 0.55);
}

Bytes column_closes()
{
    // A lantern row going dark: a low soft fall and a puff of air.
    Voice v = voice(0.65);
    glide(v, 0.0, 0.6, 392, 98, 0.8, [](double u) { return hump(u, 0.08) * (1 - u * 0.3); });
    glide(v, 0.0, 0.6, 588, 147, 0.25, [](double u) { return hump(u, 0.08); });
    breath(v, 0.0, 0.4, 0.35, [](double u) { return 900 - 600 * u; }, [](double u) { return hump(u, 0.1); }, 53);
    return finish(v, 0.5);
}

}  // namespace

std::vector<Bytes> art_sound_samples()
{
    // 1, 3 and 5 are not played by the game; they stay empty.
    return {transition(), {}, settles(), {}, menu_opens(), {}, sound_on(),
            sound_off(),  menu_choice(), restart(), swap(), collect(), column_closes()};
}
