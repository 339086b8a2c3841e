// The instruments of the sound effects and the last steps every effect
// goes through: levelling, limiting, and 8-bit quantisation with dither.
#include "tools/art/sound_synth.h"

#include "tools/art/art.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double RATE = SAMPLE_RATE;
constexpr double NYQUIST_GUARD = 0.45 * RATE;    // partials above this would fold back
constexpr double LSB = 1.0 / 128.0;              // one 8-bit step in full-scale units

size_t at(double seconds) { return (size_t)std::max(0.0, seconds * RATE); }

// A band-pass that stays stable however high its centre moves: a
// state-variable filter in the trapezoidal form. Its output is levelled to
// 1 at the centre.
struct BandPass {
    double s1 = 0, s2 = 0;
    double run(double in, double centre, double q)
    {
        double g = std::tan(M_PI * std::min(centre, NYQUIST_GUARD) / RATE);
        double k = 1.0 / q;
        double a1 = 1.0 / (1.0 + g * (g + k));
        double a2 = g * a1, a3 = g * a2;
        double v3 = in - s2;
        double v1 = a1 * s1 + a2 * v3;
        double v2 = s2 + a2 * s1 + a3 * v3;
        s1 = 2 * v1 - s1;
        s2 = 2 * v2 - s2;
        return k * v1;
    }
};

// White noise through a band keeps about the same loudness whatever the
// band's width when scaled by this.
double band_level(double centre, double q) { return std::sqrt(0.5 * RATE / std::max(20.0, centre / q)); }

}  // namespace

Voice voice(double seconds) { return Voice{std::vector<double>(at(seconds), 0.0)}; }

double Dice::uniform()
{
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / 16777216.0;
}

const std::vector<Partial> BELL_PARTIALS = {{1.0, 1.0, 1.0}, {2.0, 0.42, 1.5}, {3.0, 0.16, 2.2}, {4.16, 0.08, 3.0},
                                            {5.43, 0.04, 3.8}};
const std::vector<Partial> GLASS_PARTIALS = {{1.0, 1.0, 1.0}, {2.32, 0.5, 1.4}, {4.25, 0.26, 2.1}, {6.63, 0.12, 2.9}};

void bell(Voice& v, double start, double frequency, double amplitude, double decay,
          const std::vector<Partial>& partials, double glide)
{
    size_t from = at(start);
    const double detune[2] = {0.9993, 1.0007};
    // A struck note rings until it has died away, past the end of the voice
    // if need be: a note cut short clicks.
    double slowest = 1e9;
    for (const Partial& p : partials)
        slowest = std::min(slowest, p.decay);
    v.wave.resize(std::max(v.wave.size(), from + at(std::log(1e5) / (decay * slowest))), 0.0);
    for (const Partial& p : partials) {
        if (frequency * p.ratio * std::max(1.0, glide) > NYQUIST_GUARD)
            continue;
        for (double d : detune) {
            double phase = 0;
            for (size_t i = from; i < v.wave.size(); i++) {
                double t = (i - from) / RATE;
                double env = std::min(1.0, t / 0.003) * std::exp(-t * decay * p.decay);
                if (env < 1e-5 && t > 0.01)
                    break;
                phase += 2 * M_PI * frequency * p.ratio * d * std::pow(glide, t) / RATE;
                v.wave[i] += 0.5 * amplitude * p.level * env * std::sin(phase);
            }
        }
    }
}

void glide(Voice& v, double start, double length, double from_hz, double to_hz, double amplitude, const Curve& envelope,
           double harmonics)
{
    size_t first = at(start);
    size_t count = at(length);
    double phase = 0;
    for (size_t k = 0; k < count && first + k < v.wave.size(); k++) {
        double u = k / (double)count;
        double f = from_hz * std::pow(to_hz / from_hz, u);
        phase += 2 * M_PI * f / RATE;
        double sum = 0, level = 1;
        for (int h = 1; h <= 4 && f * h < NYQUIST_GUARD; h++, level *= harmonics)
            sum += level * std::sin(h * phase);
        v.wave[first + k] += amplitude * envelope(u) * sum;
    }
}

void breath(Voice& v, double start, double length, double amplitude, const Curve& band, const Curve& envelope,
            uint32_t seed)
{
    size_t first = at(start);
    size_t count = at(length);
    Dice dice{seed};
    BandPass filter;
    constexpr double Q = 1.4;
    for (size_t k = 0; k < count && first + k < v.wave.size(); k++) {
        double u = k / (double)count;
        double centre = band(u);
        double out = filter.run(dice.noise(), centre, Q) * band_level(centre, Q) * 0.6;
        v.wave[first + k] += amplitude * envelope(u) * out;
    }
}

void wing_beat(Voice& v, double start, double length, double frequency, double amplitude, Dice& dice)
{
    size_t first = at(start);
    size_t count = at(length);
    BandPass filter;
    constexpr double Q = 2.0;
    double rise = 0.25 * length;
    for (size_t k = 0; k < count && first + k < v.wave.size(); k++) {
        double t = k / RATE;
        double env = t < rise ? std::sin(t / rise * M_PI / 2) : std::exp(-(t - rise) / (0.22 * length));
        // the wing pushes the air down a little in pitch as it beats
        double centre = frequency * (1.08 - 0.16 * t / length);
        v.wave[first + k] += amplitude * env * filter.run(dice.noise(), centre, Q) * band_level(centre, Q) * 0.6;
    }
}

void room(Voice& v, double size, double decay, double wet, double damping)
{
    // Parallel echoes of a few unrelated lengths, blurred by two all-passes:
    // the reflections of a small room, thickening into a tail.
    const int comb_base[] = {557, 593, 641, 677, 709, 743};
    const int pass_base[] = {171, 113};
    size_t dry_length = v.wave.size();
    v.wave.resize(dry_length + at(decay));
    std::vector<double> in = v.wave;
    size_t pre = at(0.008 * size);
    std::vector<double> sum(v.wave.size(), 0.0);
    for (int base : comb_base) {
        size_t delay = std::max<size_t>(8, (size_t)(base * size));
        double feedback = std::pow(10.0, -3.0 * delay / (decay * RATE));
        std::vector<double> line(delay, 0.0);
        double low = 0;
        for (size_t i = 0, pos = 0; i < sum.size(); i++, pos = (pos + 1) % delay) {
            double x = i >= pre ? in[i - pre] : 0.0;
            double out = line[pos];
            low = out * (1 - damping) + low * damping;
            line[pos] = x + low * feedback;
            sum[i] += out / 6.0;
        }
    }
    for (int base : pass_base) {
        size_t delay = std::max<size_t>(4, (size_t)(base * size));
        std::vector<double> line(delay, 0.0);
        for (size_t i = 0, pos = 0; i < sum.size(); i++, pos = (pos + 1) % delay) {
            double buffered = line[pos];
            double out = buffered - sum[i];
            line[pos] = sum[i] + buffered * 0.5;
            sum[i] = out;
        }
    }
    for (size_t i = 0; i < v.wave.size(); i++)
        v.wave[i] += wet * sum[i];
}

void high_pass(Voice& v, double hz)
{
    // Two poles, Butterworth.
    double w = 2 * M_PI * hz / RATE;
    double alpha = std::sin(w) / std::sqrt(2.0);
    double c = std::cos(w);
    double a0 = 1 + alpha;
    double b0 = (1 + c) / 2 / a0, b1 = -(1 + c) / a0, b2 = b0;
    double a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& s : v.wave) {
        double y = b0 * s + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = s;
        y2 = y1;
        y1 = y;
        s = y;
    }
}

double hump(double u, double rise)
{
    u = std::clamp(u, 0.0, 1.0);
    return u < rise ? std::sin(u / rise * M_PI / 2) : std::cos((u - rise) / (1 - rise) * M_PI / 2);
}

double synth_loudness(const std::vector<double>& wave)
{
    if (wave.empty())
        return 0;
    // One pole at 150 Hz takes the lows out; then the loudest 100 ms.
    double a = std::exp(-2 * M_PI * 150 / RATE);
    std::vector<double> squares(wave.size());
    double previous = 0, high = 0;
    for (size_t i = 0; i < wave.size(); i++) {
        high = a * (high + wave[i] - previous);
        previous = wave[i];
        squares[i] = high * high;
    }
    size_t window = std::min(wave.size(), at(0.1));
    double sum = 0, loudest = 0;
    for (size_t i = 0; i < squares.size(); i++) {
        sum += squares[i];
        if (i >= window)
            sum -= squares[i - window];
        if (i + 1 >= window)
            loudest = std::max(loudest, sum);
    }
    return std::sqrt(std::max(0.0, loudest) / window);
}

namespace {

double peak_of(const std::vector<double>& wave)
{
    double peak = 0;
    for (double s : wave)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

// Holds every peak under `ceiling`: the gain each sample would need, the
// least of it over the 3 ms around it, smoothed over the same span (so it
// never rises above what any sample in reach needs) and let back up slowly.
void limit(std::vector<double>& wave, double ceiling)
{
    size_t n = wave.size();
    size_t reach = at(0.003);
    std::vector<double> need(n), least(n, 1.0), gain(n);
    for (size_t i = 0; i < n; i++)
        need[i] = std::fabs(wave[i]) > ceiling ? ceiling / std::fabs(wave[i]) : 1.0;
    for (size_t i = 0; i < n; i++)
        for (size_t j = i >= reach ? i - reach : 0; j <= std::min(n - 1, i + reach); j++)
            least[i] = std::min(least[i], need[j]);
    double release = 1.0 - std::exp(-1.0 / (0.08 * RATE));
    double held = 1.0;
    for (size_t i = 0; i < n; i++) {
        double sum = 0;
        size_t from = i >= reach ? i - reach : 0, to = std::min(n - 1, i + reach);
        for (size_t j = from; j <= to; j++)
            sum += least[j];
        // beyond the ends the wave is silent and needs no reduction
        double average = (sum + (double)(2 * reach + 1 - (to - from + 1))) / (2 * reach + 1);
        held = std::min(average, held + (1.0 - held) * release);
        gain[i] = held;
    }
    for (size_t i = 0; i < n; i++)
        wave[i] *= gain[i];
}

}  // namespace

Bytes finish(Voice& v, double loudness, double ceiling, uint32_t seed)
{
    std::vector<double>& wave = v.wave;
    if (wave.empty() || synth_loudness(wave) <= 0)
        return Bytes(wave.size(), 128);
    // Limiting takes some loudness away again, so level and limit a few
    // times; what the last limiting leaves is close enough.
    const std::vector<double> dry = wave;
    double gain = loudness / synth_loudness(wave);
    for (int pass = 0; pass < 4; pass++) {
        for (size_t i = 0; i < wave.size(); i++)
            wave[i] = dry[i] * gain;
        if (peak_of(wave) <= ceiling)
            break;
        limit(wave, ceiling);
        gain *= std::min(2.0, loudness / synth_loudness(wave));
    }
    double peak = peak_of(wave);
    for (double& s : wave)
        s *= ceiling / peak;

    // The tail ends soon after its last full step, once the dither has
    // faded out (see synth_quantise).
    size_t last = 0;
    for (size_t i = 0; i < wave.size(); i++)
        if (std::fabs(wave[i]) >= LSB)
            last = i;
    wave.resize(std::min(wave.size(), last + at(0.05)));
    size_t n = wave.size();
    size_t in = std::min(n / 4, at(0.002));
    size_t out = std::min(n / 4, at(0.025));
    for (size_t i = 0; i < in; i++)
        wave[i] *= 0.5 - 0.5 * std::cos(M_PI * i / in);
    for (size_t i = 0; i < out; i++)
        wave[n - 1 - i] *= 0.5 - 0.5 * std::cos(M_PI * i / out);
    return synth_quantise(wave, seed);
}

Bytes synth_quantise(const std::vector<double>& wave, uint32_t seed)
{
    // The quantisation error is fed back through two taps so that its
    // spectrum has a notch near 3.5 kHz, where hearing is keenest, and rises
    // towards 11 kHz instead: noise = e[n] - 0.976 e[n-1] + 0.81 e[n-2].
    constexpr double E1 = -0.976, E2 = 0.81;
    Dice dice{seed};
    Bytes bytes(wave.size());
    // Dither from where the wave first rises to a third of a step until its
    // last full step, then let it die away over 40 ms once and for all: a
    // dither that came and went with a tail hovering near one step would
    // sound as flickers of hiss. Outside it the wave is under a step and
    // becomes true silence.
    size_t first = wave.size(), last = 0;
    for (size_t i = 0; i < wave.size(); i++) {
        if (std::fabs(wave[i]) >= LSB / 3)
            first = std::min(first, i);
        if (std::fabs(wave[i]) >= LSB)
            last = i;
    }
    const double rise = 0.002 * RATE, fall = 0.04 * RATE;
    double e1 = 0, e2 = 0;
    for (size_t i = 0; i < wave.size(); i++) {
        double x = wave[i] / LSB;
        double gate = i < first ? 0.0
                      : i <= last ? std::min(1.0, (i - first + 1) / rise)
                                  : std::max(0.0, 1.0 - (i - last) / fall);
        gate = std::min(gate, (wave.size() - 1 - i) / rise);    // the last byte is silence
        double q;
        if (gate <= 0) {
            q = 0;    // under a step and undithered: only sparse clicks would be left
            e1 = e2 = 0;
        } else {
            double target = x + E1 * e1 + E2 * e2;
            double dither = gate * (dice.uniform() - dice.uniform());
            q = std::clamp(std::round(target + dither), -128.0, 127.0);
            e2 = e1;
            e1 = std::clamp(q - target, -1.5, 1.5);
        }
        bytes[i] = (uint8_t)(128 + (int)q);
    }
    return bytes;
}
