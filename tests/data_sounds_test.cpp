// The generated sound effects: no clicks, no clipping, even loudness (the landing chime kept soft), and
// the swap, closing and restart sounds as the game needs them; the quantiser's dither.
#include "data_helpers.h"

#include "board/animation.h"
#include "platform/globals.h"
#include "tools/art/sound_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace {

constexpr int SILENCE = 128;
constexpr double RATE = 22050;
constexpr int LANDING = 2, RESTART = 9, SWAP = 10, COLUMN_CLOSES = 12;
const int PLAYED[] = {0, 2, 4, 6, 7, 8, 9, 10, 11, 12};

std::vector<double> levels_of(int k)
{
    const uint8_t* start = nullptr;
    uint32_t length = 0;
    EXPECT_TRUE(sound_sample(k, &start, &length)) << "sample " << k;
    std::vector<double> levels(length);
    for (uint32_t i = 0; i < length; i++)
        levels[i] = (start[i] - SILENCE) / 128.0;
    return levels;
}

double decibels(double level) { return 20 * std::log10(std::max(level, 1e-9)); }

double peak_of(const std::vector<double>& x)
{
    return std::accumulate(x.begin(), x.end(), 0.0, [](double peak, double s) { return std::max(peak, std::fabs(s)); });
}

double rms_of(const std::vector<double>& x, size_t from, size_t to)
{
    double sum = std::inner_product(x.begin() + from, x.begin() + to, x.begin() + from, 0.0);
    return to > from ? std::sqrt(sum / (to - from)) : 0;
}

// How loud a short sound seems: the RMS of its loudest 100 ms once the
// lows under about 150 Hz (lost on small speakers) are taken out.
double loudness_of(const std::vector<double>& x)
{
    std::vector<double> high(x.size());
    double a = std::exp(-2 * M_PI * 150 / RATE), previous = 0, y = 0;
    for (size_t i = 0; i < x.size(); i++) {
        y = a * (y + x[i] - previous);
        previous = x[i];
        high[i] = y;
    }
    size_t window = std::min(x.size(), (size_t)(0.1 * RATE)), step = 50;
    double loudest = 0;
    for (size_t from = 0; from + window <= x.size(); from += step)
        loudest = std::max(loudest, rms_of(high, from, from + window));
    return loudest;
}

// |X(f)|^2 of a wave at one frequency (Goertzel).
double power_at(const std::vector<double>& x, double hz)
{
    double w = 2 * M_PI * hz / RATE, c = 2 * std::cos(w), s1 = 0, s2 = 0;
    for (double v : x) {
        double s0 = v + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

using DataSounds = GameData;

TEST_F(DataSounds, SamplesAreCleanEvenAndLevelledAndTheSwapClosingAndRestartSoundsAreAsTheGameNeedsThem)
{
    std::vector<double> others;
    for (int k : PLAYED) {
        std::vector<double> x = levels_of(k);
        ASSERT_GT(x.size(), RATE / 20) << "sample " << k << " is played";
        EXPECT_EQ(x.front(), 0.0) << "sample " << k << " clicks at its start";
        EXPECT_EQ(x.back(), 0.0) << "sample " << k << " clicks at its end";
        for (size_t i = 0; i < 22; i++) {
            EXPECT_LT(std::fabs(x[i]), 0.2) << "sample " << k << " byte " << i;
            EXPECT_LT(std::fabs(x[x.size() - 1 - i]), 0.2) << "sample " << k << " byte " << x.size() - 1 - i;
        }
        double peak = decibels(peak_of(x));
        EXPECT_LT(peak_of(x), 127.5 / 128) << "sample " << k << " clips";
        if (k == LANDING) {
            EXPECT_LT(peak, -6.0) << "the landing chime is heard for every moth: it stays soft";
        } else {
            EXPECT_NEAR(peak, -1.0, 0.6) << "sample " << k << " is not levelled to just under full scale";
            others.push_back(decibels(loudness_of(x)));
        }
    }
    auto [quietest, loudest] = std::minmax_element(others.begin(), others.end());
    EXPECT_LT(*loudest - *quietest, 6.0) << "the effects differ too much in loudness";
    EXPECT_LT(decibels(loudness_of(levels_of(LANDING))), *quietest - 6.0)
        << "the landing chime must be softer than every other effect";
    EXPECT_LE(levels_of(LANDING).size(), (size_t)RATE / 4) << "it plays for every moth that lands";
    // The swap sound is heard for the whole swap.
    std::vector<double> x = levels_of(SWAP);
    size_t swap = (size_t)(2 * SWAP_HALF_STEPS * FRAME_PERIOD_START / 1000.0 * RATE);
    ASSERT_GE(x.size(), swap) << "the swap fades out and in over " << swap / RATE << " s at the starting speed";
    // no stretch of it falls quiet before the moths have faded back in
    size_t slice = (size_t)(0.05 * RATE);
    for (size_t from = slice; from + slice <= swap; from += slice)
        EXPECT_GT(decibels(rms_of(x, from, from + slice)), -30.0) << "quiet at " << from / RATE << " s";

    // Parseval over the DFT bins of the whole closing sound: the energy of the
    // bins up to 200 Hz (each counted for its mirror too) against the total.
    x = levels_of(COLUMN_CLOSES);
    double n = (double)x.size(), low = power_at(x, 0) / n;
    double total = std::inner_product(x.begin(), x.end(), x.begin(), 0.0);
    for (int bin = 1; bin * RATE / n <= 200; bin++)
        low += 2 * power_at(x, bin * RATE / n) / n;
    EXPECT_LT(low / total, 0.05) << "much of it would be lost on small speakers";
    // Many wings beating each at its own pace: the restart's loudness must not throb at one rate (a buzz).
    x = levels_of(RESTART);
    constexpr size_t BLOCK = 110;    // the loudness every 5 ms
    std::vector<double> envelope;
    for (size_t from = 0; from + BLOCK <= x.size(); from += BLOCK)
        envelope.push_back(std::accumulate(x.begin() + from, x.begin() + from + BLOCK, 0.0,
                                           [](double sum, double v) { return sum + std::fabs(v); }) / BLOCK);
    double mean = std::accumulate(envelope.begin(), envelope.end(), 0.0) / envelope.size(), variation = 0;
    for (double& e : envelope) {
        e -= mean;
        variation += e * e;
    }
    ASSERT_GT(variation, 0);
    for (double hz = 10; hz <= 40; hz += 0.5)
        EXPECT_LT(2 * power_at(envelope, hz * BLOCK) / envelope.size() / variation, 0.1)
            << "the loudness throbs at " << hz << " Hz";
}

// A wave of one and a half steps through the quantiser: undithered it would
// come out as a staircase, rich in harmonics; dithered, the harmonics sink
// into the noise, the tone keeps its level, and the noise is pushed away
// from the middle of the range (where hearing is keenest) towards the top.
TEST(SoundSynth, QuantisingDithersAwayTheStaircaseAndShapesTheNoise)
{
    constexpr double HZ = 441, STEPS = 1.5;
    std::vector<double> wave((size_t)RATE);
    for (size_t i = 0; i < wave.size(); i++)
        wave[i] = STEPS / 128 * std::sin(2 * M_PI * HZ * i / RATE);
    Bytes bytes = synth_quantise(wave, 1);
    ASSERT_EQ(bytes.size(), wave.size());
    EXPECT_EQ(bytes, synth_quantise(wave, 1)) << "the same wave and seed give the same bytes";
    std::vector<double> out(bytes.size()), noise(bytes.size());
    for (size_t i = 0; i < bytes.size(); i++)
        noise[i] = (out[i] = bytes[i] - SILENCE) - wave[i] * 128;
    double n = (double)out.size();
    double tone = std::sqrt(power_at(out, HZ)) * 2 / n;
    EXPECT_NEAR(tone, STEPS, 0.1);
    for (int harmonic = 2; harmonic <= 5; harmonic++)
        EXPECT_LT(decibels(std::sqrt(power_at(out, HZ * harmonic)) * 2 / n / tone), -30.0) << "harmonic " << harmonic;
    auto band = [&](double from, double to) {
        double sum = 0;
        int count = 0;
        for (double hz = from; hz <= to; hz += 50, count++)
            sum += power_at(noise, hz);
        return sum / count;
    };
    EXPECT_LT(decibels(std::sqrt(band(3000, 4000) / band(9500, 10500))), -10.0);

    // below a fraction of a step nothing is left to dither: true silence
    for (double& v : wave)
        v /= 10;
    Bytes quiet = synth_quantise(wave, 1);
    EXPECT_TRUE(std::all_of(quiet.begin(), quiet.end(), [](uint8_t b) { return b == SILENCE; }));
}

}  // namespace
