// Writes the ten interface sound effects as 16-bit mono PCM WAV files into the folder named on
// the command line. The sounds are synthesised (tones, glides and filtered noise) from fixed
// parameters and a fixed noise seed, so running it again gives the same files.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 16000;
constexpr double kPeak = 0.7; // about -3 dBFS, loud enough without clipping after mixing
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;

Samples silence(double seconds)
{
    return Samples(std::size_t(seconds * kRate), 0.0);
}

// A short linear attack keeps a note from starting with a click.
double envelope(double t, double attack, double decay)
{
    const double rise = attack > 0 ? std::min(1.0, t / attack) : 1.0;
    return rise * std::exp(-decay * t);
}

// A struck note: a sine with a few quieter partials, decaying exponentially.
void addNote(Samples& out, double start, double length, double frequency, double amplitude,
             double decay, const std::vector<std::pair<double, double>>& partials = {})
{
    const std::size_t first = std::size_t(start * kRate);
    const std::size_t count = std::size_t(length * kRate);
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kRate;
        double value = std::sin(kTwoPi * frequency * t);
        for (const auto& [ratio, level] : partials)
            value += level * std::sin(kTwoPi * frequency * ratio * t);
        out[first + i] += amplitude * envelope(t, 0.003, decay) * value;
    }
}

// A sine whose pitch glides exponentially from one frequency to another.
void addGlide(Samples& out, double start, double length, double from, double to, double amplitude,
              double decay)
{
    const std::size_t first = std::size_t(start * kRate);
    const std::size_t count = std::size_t(length * kRate);
    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double frequency = from * std::pow(to / from, t / length);
        phase += kTwoPi * frequency / kRate;
        out[first + i] += amplitude * envelope(t, 0.004, decay) * std::sin(phase);
    }
}

// Noise through a one-pole low-pass whose cut-off moves from `fromHz` to `toHz`, shaped by a
// rise-and-fall envelope: a swish.
void addSwish(Samples& out, double start, double length, double fromHz, double toHz,
              double amplitude, std::uint32_t& seed)
{
    const std::size_t first = std::size_t(start * kRate);
    const std::size_t count = std::size_t(length * kRate);
    double state = 0.0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double position = t / length;
        const double cutoff = fromHz + (toHz - fromHz) * position;
        const double alpha = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
        seed = seed * 1664525u + 1013904223u;
        const double white = double(seed >> 8) / double(1u << 24) * 2.0 - 1.0;
        state += alpha * (white - state);
        const double shape = std::sin(std::numbers::pi * position);
        out[first + i] += amplitude * shape * shape * state * 3.0;
    }
}

// Scales to the common peak and fades the last milliseconds so nothing ends in a click.
std::vector<std::int16_t> finish(Samples samples)
{
    double peak = 0.0;
    for (double value : samples)
        peak = std::max(peak, std::abs(value));
    const double scale = peak > 0 ? kPeak / peak : 0.0;
    const std::size_t fade = std::min<std::size_t>(samples.size(), kRate / 200);
    for (std::size_t i = 0; i < fade; ++i)
        samples[samples.size() - 1 - i] *= double(i) / double(fade);
    std::vector<std::int16_t> pcm;
    pcm.reserve(samples.size());
    for (double value : samples)
        pcm.push_back(std::int16_t(std::lround(std::clamp(value * scale, -1.0, 1.0) * 32767.0)));
    return pcm;
}

void put16(std::ofstream& out, std::uint16_t value)
{
    const char bytes[] = {char(value & 0xff), char(value >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.put(char((value >> shift) & 0xff));
}

bool writeWav(const std::string& path, const std::vector<std::int16_t>& pcm)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const std::uint32_t dataBytes = std::uint32_t(pcm.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);        // fmt chunk size
    put16(out, 1);         // PCM
    put16(out, 1);         // mono
    put32(out, kRate);     // sample rate
    put32(out, kRate * 2); // bytes per second
    put16(out, 2);         // block align
    put16(out, 16);        // bits per sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (std::int16_t sample : pcm)
        put16(out, std::uint16_t(sample));
    return bool(out);
}

struct Effect
{
    const char* name;
    std::function<Samples(std::uint32_t&)> make;
};

const std::vector<std::pair<double, double>> kBell{{2.0, 0.25}, {2.76, 0.12}, {5.4, 0.04}};

const Effect kEffects[] = {
    {"Notify",
     [](std::uint32_t&) {
         Samples s = silence(0.42);
         addNote(s, 0.0, 0.42, 880.0, 0.6, 9.0, kBell);
         addNote(s, 0.11, 0.31, 1318.5, 0.6, 9.0, kBell);
         return s;
     }},
    {"Add_Pull",
     [](std::uint32_t& seed) {
         Samples s = silence(0.14);
         addGlide(s, 0.0, 0.14, 320.0, 900.0, 0.7, 12.0);
         addSwish(s, 0.0, 0.12, 2500.0, 5000.0, 0.15, seed);
         return s;
     }},
    {"Add_Done",
     [](std::uint32_t&) {
         Samples s = silence(0.3);
         addNote(s, 0.0, 0.12, 1046.5, 0.5, 20.0, {{2.0, 0.2}});
         addNote(s, 0.07, 0.23, 1568.0, 0.6, 13.0, {{2.0, 0.2}});
         return s;
     }},
    {"Check",
     [](std::uint32_t& seed) {
         Samples s = silence(0.12);
         addSwish(s, 0.0, 0.006, 6000.0, 6000.0, 0.8, seed);
         addNote(s, 0.004, 0.116, 2093.0, 0.5, 35.0);
         return s;
     }},
    {"Clear",
     [](std::uint32_t& seed) {
         Samples s = silence(0.24);
         addSwish(s, 0.0, 0.24, 6000.0, 700.0, 1.0, seed);
         return s;
     }},
    {"Move",
     [](std::uint32_t&) {
         Samples s = silence(0.12);
         addGlide(s, 0.0, 0.12, 440.0, 330.0, 0.8, 22.0);
         return s;
     }},
    {"Reveal",
     [](std::uint32_t&) {
         Samples s = silence(0.3);
         addNote(s, 0.0, 0.3, 784.0, 0.45, 16.0, {{2.0, 0.15}});
         addNote(s, 0.065, 0.235, 987.8, 0.45, 16.0, {{2.0, 0.15}});
         addNote(s, 0.13, 0.17, 1174.7, 0.5, 16.0, {{2.0, 0.15}});
         return s;
     }},
    {"General",
     [](std::uint32_t&) {
         Samples s = silence(0.09);
         addNote(s, 0.0, 0.09, 1200.0, 0.6, 45.0, {{0.5, 0.6}});
         return s;
     }},
    {"Delete",
     [](std::uint32_t&) {
         Samples s = silence(0.22);
         addGlide(s, 0.0, 0.22, 700.0, 180.0, 0.8, 10.0);
         return s;
     }},
    {"Hide",
     [](std::uint32_t& seed) {
         Samples s = silence(0.16);
         addSwish(s, 0.0, 0.16, 3500.0, 400.0, 0.8, seed);
         addGlide(s, 0.0, 0.16, 600.0, 420.0, 0.25, 14.0);
         return s;
     }},
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::uint32_t seed = 0x5eed1234u;
    for (const Effect& effect : kEffects) {
        const std::string path = folder + "/" + effect.name + ".wav";
        if (!writeWav(path, finish(effect.make(seed)))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
