#include "Sounds.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace sounds {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Maqam {
    const char* name;
    double tonic;                 // Hz
    std::array<double, 9> cents;  // the scale from the tonic up to the ninth degree
    double beat;                  // seconds
};

// Scales in cents, quarter tones included where the maqam has them.
const std::array<Maqam, 7> kMaqams = {{
    {"Rast", 220.0, {0, 200, 350, 500, 700, 900, 1050, 1200, 1400}, 0.42},
    {"Bayati", 196.0, {0, 150, 300, 500, 700, 800, 1000, 1200, 1350}, 0.46},
    {"Hijaz", 207.7, {0, 100, 400, 500, 700, 800, 1000, 1200, 1300}, 0.44},
    {"Saba", 185.0, {0, 150, 300, 400, 600, 800, 1000, 1200, 1350}, 0.48},
    {"Nahawand", 233.1, {0, 200, 300, 500, 700, 800, 1100, 1200, 1400}, 0.40},
    {"Sikah", 246.9, {0, 150, 350, 500, 650, 850, 1000, 1150, 1350}, 0.45},
    {"Ajam", 261.6, {0, 200, 400, 500, 700, 900, 1100, 1200, 1400}, 0.38},
}};

struct Note {
    int degree;
    double beats;
};

// The call's phrases: a held opening, a rise to the fifth, a descent home.
const std::vector<std::vector<Note>> kPhrases = {
    {{0, 1.5}, {1, 0.5}, {2, 3.0}, {1, 0.5}, {0, 2.5}},
    {{2, 1.0}, {3, 1.0}, {4, 3.5}, {5, 0.5}, {4, 0.5}, {3, 0.5}, {2, 2.0}},
    {{4, 1.0}, {5, 1.0}, {6, 0.5}, {5, 0.5}, {4, 2.0}, {3, 0.5}, {2, 0.5}, {1, 1.0}, {0, 4.0}},
};

double frequency(const Maqam& m, int degree)
{
    return m.tonic * std::pow(2.0, m.cents[static_cast<size_t>(std::clamp(degree, 0, 8))] / 1200.0);
}

// A soft hall: a few combs and an all-pass.
void reverb(std::vector<double>& s)
{
    const std::array<int, 4> delays = {1117, 1277, 1409, 1523};
    std::vector<double> wet(s.size(), 0.0);
    for (int d : delays) {
        std::vector<double> comb(s.size(), 0.0);
        for (size_t i = 0; i < s.size(); ++i)
            comb[i] = s[i] + (i >= static_cast<size_t>(d) ? 0.72 * comb[i - static_cast<size_t>(d)] : 0.0);
        for (size_t i = 0; i < s.size(); ++i)
            wet[i] += comb[i] * 0.25;
    }
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = s[i] * 0.78 + wet[i] * 0.22;
}

std::vector<std::int16_t> normalised(std::vector<double> s, double peak)
{
    double top = 1e-9;
    for (double v : s)
        top = std::max(top, std::abs(v));
    std::vector<std::int16_t> pcm(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(s[i] / top * peak * 32767.0));
    return pcm;
}

// A voice-like line through the notes, gliding from one to the next, with
// vibrato on the held notes.
std::vector<std::int16_t> call(int index)
{
    const Maqam& m = kMaqams[static_cast<size_t>(index)];
    // Each maqam starts its last phrase a degree higher or lower, so the
    // seven calls differ in contour as well as in scale.
    const int lift = (index % 3) - 1;
    struct Segment {
        double freq;
        double seconds;
        bool phraseEnd;
    };
    std::vector<Segment> line;
    for (size_t p = 0; p < kPhrases.size(); ++p) {
        for (size_t n = 0; n < kPhrases[p].size(); ++n) {
            const Note& note = kPhrases[p][n];
            const int degree = note.degree + (p == 2 && n < 3 ? lift : 0);
            line.push_back({frequency(m, degree), note.beats * m.beat, n + 1 == kPhrases[p].size()});
        }
    }

    std::vector<double> out;
    double phase[8] = {};
    double current = line.front().freq;
    for (size_t i = 0; i < line.size(); ++i) {
        const Segment& seg = line[i];
        const size_t count = static_cast<size_t>(seg.seconds * kSampleRate);
        const size_t gap = seg.phraseEnd ? static_cast<size_t>(0.45 * kSampleRate) : 0;
        for (size_t k = 0; k < count + gap; ++k) {
            const double t = static_cast<double>(k) / kSampleRate;
            // Glide 70 ms into the new note.
            current += (seg.freq - current) * std::min(1.0, 1.0 / (0.07 * kSampleRate) * 4);
            const double vibrato = t > 0.35 ? 1.0 + 0.009 * std::sin(2 * kPi * 5.3 * t) * std::min(1.0, (t - 0.35) * 2) : 1.0;
            const double f = current * vibrato;
            double env = std::min(1.0, t / 0.06);
            if (seg.phraseEnd)
                env *= k < count ? 1.0 - 0.5 * static_cast<double>(k) / count : std::max(0.0, 0.5 - static_cast<double>(k - count) / gap);
            double v = 0;
            for (int h = 0; h < 8; ++h) {
                const double harmonic = h + 1;
                phase[h] += 2 * kPi * f * harmonic / kSampleRate;
                // Harmonics around 700 Hz carry the vowel.
                const double formant = std::exp(-std::pow((f * harmonic - 700.0) / 500.0, 2));
                v += std::sin(phase[h]) * (0.6 / std::pow(harmonic, 1.3) + 0.35 * formant);
            }
            out.push_back(v * env);
        }
    }
    out.resize(out.size() + static_cast<size_t>(1.2 * kSampleRate), 0.0);
    reverb(out);
    return normalised(std::move(out), 0.7);
}

// Bell-like tones: inharmonic partials that die away.
std::vector<std::int16_t> chime(const std::vector<std::pair<double, double>>& strikes, double seconds)
{
    std::vector<double> out(static_cast<size_t>(seconds * kSampleRate), 0.0);
    const std::array<std::pair<double, double>, 4> partials = {{{1.0, 1.0}, {2.76, 0.45}, {5.40, 0.2}, {8.93, 0.08}}};
    for (const auto& [at, freq] : strikes) {
        const size_t start = static_cast<size_t>(at * kSampleRate);
        for (size_t i = start; i < out.size(); ++i) {
            const double t = static_cast<double>(i - start) / kSampleRate;
            double v = 0;
            for (const auto& [ratio, amp] : partials) {
                // Nothing above what the sample rate can carry.
                if (freq * ratio > 0.45 * kSampleRate)
                    continue;
                v += amp * std::sin(2 * kPi * freq * ratio * t) * std::exp(-t * (1.6 + ratio * 0.9));
            }
            out[i] += v * std::min(1.0, t / 0.004);
        }
    }
    reverb(out);
    return normalised(std::move(out), 0.6);
}

void put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void put16(std::vector<std::uint8_t>& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

} // namespace

const char* maqamName(int index)
{
    return kMaqams[static_cast<size_t>(std::clamp(index, 0, 6))].name;
}

std::vector<Sound> allSounds()
{
    std::vector<Sound> list;
    for (int i = 0; i < 7; ++i)
        list.push_back({std::to_string(i) + ".wav", call(i)});
    // Sahar: a rising arpeggio; sunrise: two soft tones; iftar: three
    // descending tones; the day's events: a light double ding.
    list.push_back({"7.wav", chime({{0.0, 523.3}, {0.35, 659.3}, {0.7, 784.0}, {1.05, 1046.5}}, 4.0)});
    list.push_back({"alarm.wav", chime({{0.0, 659.3}, {0.6, 523.3}, {1.2, 659.3}, {1.8, 523.3}}, 4.0)});
    list.push_back({".wav", chime({{0.0, 784.0}, {0.45, 659.3}, {0.9, 523.3}}, 3.5)});
    list.push_back({"times.wav", chime({{0.0, 1046.5}, {0.22, 1318.5}}, 2.5)});
    return list;
}

std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& pcm)
{
    std::vector<std::uint8_t> b;
    const auto data = static_cast<std::uint32_t>(pcm.size() * 2);
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    put32(b, 36 + data);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(b, 16);
    put16(b, 1);  // PCM
    put16(b, 1);  // mono
    put32(b, kSampleRate);
    put32(b, kSampleRate * 2);
    put16(b, 2);
    put16(b, 16);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put32(b, data);
    for (std::int16_t s : pcm)
        put16(b, static_cast<std::uint16_t>(s));
    return b;
}

} // namespace sounds
