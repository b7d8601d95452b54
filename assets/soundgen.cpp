// Writes the program's five default event sounds as 16-bit mono PCM WAV files into
// the folder given on the command line: Start.wav, Sel.wav, AutoPlay.wav, Undo.wav
// and Win.wav. Every sound is synthesised here, deterministically, and starts and
// ends in silence (short fades) so that it never clicks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;

int samplesFor(double seconds)
{
    return static_cast<int>(std::lround(seconds * kRate));
}

// A struck tone: a sine with a few partials, a short attack and an exponential decay.
// Partials are given as (frequency ratio, relative amplitude).
void addStruck(Buffer &buf, double start, double freq, double length, double amp, double decay,
               const std::vector<std::pair<double, double>> &partials)
{
    const int first = samplesFor(start);
    const int count = samplesFor(length);
    const double attack = 0.004;
    for (int i = 0; i < count && first + i < static_cast<int>(buf.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / attack) * std::exp(-t / decay);
        double v = 0.0;
        for (const auto &[ratio, weight] : partials)
            v += weight * std::sin(2.0 * kPi * freq * ratio * t);
        buf[first + i] += amp * env * v;
    }
}

// A blip whose pitch glides from one frequency to another; the phase is accumulated so
// the glide is smooth. The envelope rises quickly and falls as a half cosine.
void addGlide(Buffer &buf, double start, double fromFreq, double toFreq, double length, double amp)
{
    const int first = samplesFor(start);
    const int count = samplesFor(length);
    double phase = 0.0;
    for (int i = 0; i < count && first + i < static_cast<int>(buf.size()); ++i) {
        const double x = static_cast<double>(i) / count;
        // Exponential glide sounds even to the ear.
        const double freq = fromFreq * std::pow(toFreq / fromFreq, x);
        phase += 2.0 * kPi * freq / kRate;
        const double env = std::min(1.0, x / 0.08) * (0.5 + 0.5 * std::cos(kPi * x));
        buf[first + i] += amp * env * (std::sin(phase) + 0.15 * std::sin(2.0 * phase));
    }
}

// A soft tick: a high tone with a very fast decay plus a touch of deterministic noise.
void addTick(Buffer &buf, double amp)
{
    std::uint32_t seed = 0x2545F491u;
    double lowpass = 0.0;
    for (std::size_t i = 0; i < buf.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        seed = seed * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(seed >> 8) / 8388608.0) - 1.0;
        lowpass += 0.25 * (noise - lowpass);
        const double env = std::min(1.0, t / 0.0015) * std::exp(-t / 0.009);
        buf[i] += amp * env * (0.8 * std::sin(2.0 * kPi * 1900.0 * t) + 0.35 * lowpass);
    }
}

// Fades both ends to exact silence and scales the peak to the given level.
void finish(Buffer &buf, double peak, double fadeIn, double fadeOut)
{
    const int in = std::max(1, samplesFor(fadeIn));
    const int out = std::max(1, samplesFor(fadeOut));
    const int n = static_cast<int>(buf.size());
    for (int i = 0; i < n; ++i) {
        double g = 1.0;
        if (i < in)
            g *= static_cast<double>(i) / in;
        if (i >= n - out)
            g *= static_cast<double>(n - 1 - i) / out;
        buf[i] *= g;
    }
    double max = 0.0;
    for (double v : buf)
        max = std::max(max, std::fabs(v));
    if (max > 0.0)
        for (double &v : buf)
            v *= peak / max;
}

void put16(std::string &out, std::uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string &out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

// Writes the WAV through a temporary file, so a broken run never leaves half a file.
bool writeWav(const std::filesystem::path &path, const Buffer &buf)
{
    const auto dataBytes = static_cast<std::uint32_t>(buf.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2); // bytes per second
    put16(out, 2);         // block align
    put16(out, 16);        // bits per sample
    out += "data";
    put32(out, dataBytes);
    for (double v : buf) {
        const long s = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)));
    }

    std::filesystem::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f.write(out.data(), static_cast<std::streamsize>(out.size())))
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    return !ec;
}

// A soft two-note chime: a bell-like fifth, the upper note a moment later.
Buffer startSound()
{
    Buffer b(samplesFor(0.75), 0.0);
    const std::vector<std::pair<double, double>> bell{{1.0, 1.0}, {2.0, 0.25}, {2.76, 0.12}};
    addStruck(b, 0.0, 659.26, 0.75, 0.6, 0.22, bell);
    addStruck(b, 0.09, 987.77, 0.66, 0.5, 0.20, bell);
    finish(b, 0.45, 0.002, 0.08);
    return b;
}

// The move sound: a dry tick of about 60 ms.
Buffer selSound()
{
    Buffer b(samplesFor(0.060), 0.0);
    addTick(b, 1.0);
    finish(b, 0.40, 0.001, 0.015);
    return b;
}

// A quick rising blip for a card going up to a foundation by itself.
Buffer autoPlaySound()
{
    Buffer b(samplesFor(0.110), 0.0);
    addGlide(b, 0.0, 780.0, 1560.0, 0.110, 1.0);
    finish(b, 0.35, 0.002, 0.012);
    return b;
}

// A soft descending blip for taking a move back (and giving it again).
Buffer undoSound()
{
    Buffer b(samplesFor(0.140), 0.0);
    addGlide(b, 0.0, 880.0, 520.0, 0.140, 1.0);
    finish(b, 0.32, 0.002, 0.015);
    return b;
}

// A rising major arpeggio that rings out on the octave.
Buffer winSound()
{
    Buffer b(samplesFor(1.10), 0.0);
    const std::vector<std::pair<double, double>> tone{{1.0, 1.0}, {2.0, 0.3}, {3.0, 0.08}};
    const double notes[] = {523.25, 659.26, 783.99, 1046.50};
    for (int i = 0; i < 4; ++i) {
        const double start = 0.13 * i;
        const bool last = i == 3;
        addStruck(b, start, notes[i], 1.10 - start, last ? 0.7 : 0.5, last ? 0.30 : 0.18, tone);
    }
    finish(b, 0.50, 0.002, 0.15);
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);

    const std::pair<const char *, Buffer> sounds[] = {
        {"Start.wav", startSound()}, {"Sel.wav", selSound()}, {"AutoPlay.wav", autoPlaySound()},
        {"Undo.wav", undoSound()},   {"Win.wav", winSound()},
    };
    for (const auto &[name, buffer] : sounds) {
        if (!writeWav(folder / name, buffer)) {
            std::fprintf(stderr, "cannot write %s\n", (folder / name).string().c_str());
            return 1;
        }
    }
    return 0;
}
