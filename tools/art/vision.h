// How the game's colours look to players who see colour differently, so the
// five moths can be checked to stay apart for every eye.
//
// Colours are simulated in linear light with the full-severity matrices of
// Machado, Oliveira and Fernandes (2009) for deuteranopia, protanopia and
// tritanopia, and compared in CIE L*a*b* (D65 white) by the plain Euclidean
// distance, Delta E 1976. Header only: the preview tool uses it without the
// art library.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

enum Vision { VISION_NORMAL, VISION_DEUTAN, VISION_PROTAN, VISION_TRITAN, VISION_COUNT };

inline const char* vision_name(Vision vision)
{
    static const char* const names[VISION_COUNT] = {"normal", "deuteranopia", "protanopia", "tritanopia"};
    return names[vision];
}

inline double srgb_to_linear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
inline double linear_to_srgb(double v)
{
    v = std::clamp(v, 0.0, 1.0);
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}

// A linear red, green, blue (0..1) as the vision sees it, kept within 0..1.
inline void vision_simulate(Vision vision, const double in[3], double out[3])
{
    static const double matrices[VISION_COUNT][3][3] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
        {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
        {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},
    };
    const double(*m)[3] = matrices[vision];
    for (int c = 0; c < 3; c++)
        out[c] = std::clamp(m[c][0] * in[0] + m[c][1] * in[1] + m[c][2] * in[2], 0.0, 1.0);
}

struct Lab {
    double l, a, b;
};

inline Lab lab_from_linear(const double rgb[3])
{
    double x = (0.4124564 * rgb[0] + 0.3575761 * rgb[1] + 0.1804375 * rgb[2]) / 0.95047;
    double y = 0.2126729 * rgb[0] + 0.7151522 * rgb[1] + 0.0721750 * rgb[2];
    double z = (0.0193339 * rgb[0] + 0.1191920 * rgb[1] + 0.9503041 * rgb[2]) / 1.08883;
    auto f = [](double t) { return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0; };
    return Lab{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

inline double delta_e76(const Lab& p, const Lab& q) { return std::hypot(p.l - q.l, p.a - q.a, p.b - q.b); }

// The mean colour of a raw picture's drawn pixels (index 0 is transparent),
// as the vision sees them: each pixel simulated, the light averaged, the
// mean turned into L*a*b*. `rgb8` holds the 256 screen colours (8 bits a
// component). A picture with nothing drawn comes out black.
inline Lab vision_mean_colour(const uint8_t* pixels, int count, const uint8_t rgb8[768], Vision vision)
{
    double sum[3] = {0, 0, 0};
    int drawn = 0;
    for (int i = 0; i < count; i++) {
        if (!pixels[i])
            continue;
        double linear[3], seen[3];
        for (int c = 0; c < 3; c++)
            linear[c] = srgb_to_linear(rgb8[pixels[i] * 3 + c] / 255.0);
        vision_simulate(vision, linear, seen);
        for (int c = 0; c < 3; c++)
            sum[c] += seen[c];
        drawn++;
    }
    for (double& s : sum)
        s = drawn ? s / drawn : 0.0;
    return lab_from_linear(sum);
}
