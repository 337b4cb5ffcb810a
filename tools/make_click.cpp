// Writes the program's short sounds as WAV files, 16-bit mono at 44.1 kHz:
// the mechanical click (a damped 2.4 kHz burst over a noise transient,
// 40 ms), or with "beep" the stopwatch's alarm (a 1 kHz tone, 150 ms, with
// soft edges).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

static void put16(std::FILE* f, uint16_t v) { std::fputc(v & 0xff, f); std::fputc(v >> 8, f); }
static void put32(std::FILE* f, uint32_t v) { put16(f, v & 0xffff); put16(f, v >> 16); }

static const int rate = 44100;

static std::vector<int16_t> beep()
{
    const int count = rate * 150 / 1000;
    const int edge = rate * 5 / 1000;
    std::vector<int16_t> samples(count);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        const double gain = std::min({1.0, double(i) / edge, double(count - 1 - i) / edge});
        samples[i] = int16_t(std::lround(std::sin(2.0 * M_PI * 1000.0 * t) * gain * 0.6 * 32000.0));
    }
    return samples;
}

static std::vector<int16_t> click()
{
    const int count = rate * 40 / 1000;
    std::vector<int16_t> samples(count);
    uint32_t seed = 12345;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        seed = seed * 1664525u + 1013904223u;
        const double noise = (double(seed >> 8) / double(1u << 24)) * 2.0 - 1.0;
        const double body = std::sin(2.0 * M_PI * 2400.0 * t) * std::exp(-t * 180.0);
        const double snap = noise * std::exp(-t * 900.0);
        const double v = 0.55 * body + 0.35 * snap;
        samples[i] = int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32000.0));
    }
    return samples;
}

int main(int argc, char** argv)
{
    const bool isBeep = argc == 3 && std::string(argv[2]) == "beep";
    if (argc != 2 && !isBeep) {
        std::fprintf(stderr, "usage: make_click OUTPUT.wav [beep]\n");
        return 2;
    }
    const std::vector<int16_t> samples = isBeep ? beep() : click();
    const int count = int(samples.size());
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const uint32_t dataBytes = uint32_t(count) * 2;
    std::fwrite("RIFF", 1, 4, f); put32(f, 36 + dataBytes); std::fwrite("WAVE", 1, 4, f);
    std::fwrite("fmt ", 1, 4, f); put32(f, 16); put16(f, 1); put16(f, 1);
    put32(f, rate); put32(f, rate * 2); put16(f, 2); put16(f, 16);
    std::fwrite("data", 1, 4, f); put32(f, dataBytes);
    for (int16_t s : samples) put16(f, uint16_t(s));
    return std::fclose(f) == 0 ? 0 : 1;
}
