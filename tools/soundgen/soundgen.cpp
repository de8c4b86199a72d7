// Synthesises the machine's 24 sound cues as RIFF WAVE files:
//   velmoran_soundgen <output directory>
// writes RESOURCE_ID_101.wav ... RESOURCE_ID_125.wav (there is no 118).
// Everything is computed from fixed seeds, so every build produces the same
// bytes.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "cue_formats.h"

namespace velmoran {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

using soundgen::CueFormat;

// A small deterministic generator (xorshift) for noise and sprinkled coins.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : s_(seed ? seed : 1u) {}
    double next() {  // uniform in [-1, 1)
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return static_cast<double>(s_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t s_;
};

double semitones(double base, double n) { return base * std::pow(2.0, n / 12.0); }

// A mono float track. Sounds are added at a time in seconds; with `wrap`
// set, whatever runs past the end continues at the start, which is how a
// loop is made seamless.
struct Track {
    int rate;
    std::vector<double> s;
    bool wrap = false;

    Track(int r, std::size_t frames) : rate(r), s(frames, 0.0) {}

    double nyquist() const { return 0.45 * rate; }

    void add(double start, double length, const std::function<double(double)>& f) {
        const auto first = static_cast<long>(std::lround(start * rate));
        const auto count = static_cast<long>(std::lround(length * rate));
        const auto n = static_cast<long>(s.size());
        for (long i = 0; i < count; ++i) {
            long at = first + i;
            if (wrap) {
                at %= n;
                if (at < 0) at += n;
            } else if (at < 0 || at >= n) {
                continue;
            }
            s[static_cast<std::size_t>(at)] += f(static_cast<double>(i) / rate);
        }
    }

    // A struck tone: partials as (frequency ratio, amplitude, decay time).
    struct Partial {
        double ratio, amp, tau;
    };
    void strike(double start, double length, double freq, double amp, std::initializer_list<Partial> partials,
                double attack = 0.004) {
        std::vector<Partial> ps;
        for (const auto& p : partials)
            if (freq * p.ratio < nyquist()) ps.push_back(p);
        const double release = std::min(0.02, length / 4);
        add(start, length, [=](double t) {
            double v = 0;
            for (const auto& p : ps) v += p.amp * std::exp(-t / p.tau) * std::sin(kTwoPi * freq * p.ratio * t);
            const double env = std::min(1.0, t / attack) * std::min(1.0, (length - t) / release);
            return amp * v * env;
        });
    }

    void bell(double start, double length, double freq, double amp) {
        strike(start, length, freq, amp, {{1.0, 1.0, 0.45}, {2.76, 0.45, 0.18}, {5.40, 0.22, 0.08}, {8.93, 0.1, 0.04}});
    }

    void chimeNote(double start, double length, double freq, double amp) {
        strike(start, length, freq, amp, {{1.0, 1.0, 0.30}, {2.0, 0.35, 0.15}, {3.0, 0.15, 0.08}});
    }

    // Brighter, brassier voice for the bigger wins.
    void brassNote(double start, double length, double freq, double amp) {
        strike(start, length, freq, amp,
               {{1.0, 1.0, 0.6}, {2.0, 0.6, 0.4}, {3.0, 0.4, 0.3}, {4.0, 0.25, 0.2}, {5.0, 0.12, 0.15}}, 0.015);
    }

    void coin(double start, double freq, double amp) {
        strike(start, 0.25, freq, amp, {{1.0, 1.0, 0.05}, {1.51, 0.6, 0.04}, {2.37, 0.3, 0.03}}, 0.001);
    }

    void hat(double start, double amp, Noise& noise) {
        double prev = 0;
        add(start, 0.05, [=, &noise](double t) mutable {
            const double n = noise.next();
            const double hp = n - prev;  // a first difference: only the hiss remains
            prev = n;
            return amp * hp * std::exp(-t / 0.012);
        });
    }

    void fadeEdges(double in, double out) {
        const auto n = s.size();
        const auto fin = std::min(n, static_cast<std::size_t>(in * rate));
        const auto fout = std::min(n, static_cast<std::size_t>(out * rate));
        for (std::size_t i = 0; i < fin; ++i) s[i] *= static_cast<double>(i) / fin;
        for (std::size_t i = 0; i < fout; ++i) s[n - 1 - i] *= static_cast<double>(i) / fout;
    }

    void normalise(double peak) {
        double m = 0;
        for (double v : s) m = std::max(m, std::abs(v));
        if (m > 0)
            for (double& v : s) v *= peak / m;
    }
};

// --- the cues -------------------------------------------------------------

void click(Track& t) {
    Noise noise(124);
    t.add(0, 0.003, [&](double x) { return noise.next() * (1 - x / 0.003); });
    t.strike(0, 0.057, 2300, 0.9, {{1.0, 1.0, 0.006}, {1.93, 0.5, 0.004}, {3.1, 0.3, 0.002}}, 0.0005);
    // Half a millisecond of fade keeps the attack sharp without a step.
    t.fadeEdges(0.0005, 0.01);
    t.normalise(0.8);
}

void thud(Track& t) {
    Noise noise(116);
    const double len = t.s.size() / static_cast<double>(t.rate);
    // The body: a low knock whose pitch sags as the reel settles, high
    // enough to carry on small speakers.
    double phase = 0;
    t.add(0, len, [&](double x) {
        const double f = 80 + 150 * std::exp(-x / 0.035);
        phase += kTwoPi * f / t.rate;
        return std::exp(-x / 0.07) * std::sin(phase) * std::min(1.0, x / 0.002);
    });
    // The latch: a dull, low-passed rattle at the moment of contact.
    double lp = 0;
    t.add(0, 0.02, [&](double x) {
        lp += 0.15 * (noise.next() - lp);
        return 2.5 * lp * std::exp(-x / 0.006);
    });
    // The wooden knock of the stop against the cabinet.
    t.strike(0, 0.12, 340, 0.45, {{1.0, 1.0, 0.03}, {2.3, 0.4, 0.015}});
    t.strike(0, 0.06, 1150, 0.12, {{1.0, 1.0, 0.01}});
    t.fadeEdges(0.001, 0.03);
    t.normalise(0.85);
}

void scatterChime(Track& t, int reel) {
    // A major pentatonic step up for each reel, with a grace note a fourth below.
    const double f = semitones(880.0, std::array{0, 2, 4, 7, 9}[static_cast<std::size_t>(reel)]);
    const double len = t.s.size() / static_cast<double>(t.rate);
    t.bell(0, len, semitones(f, -5), 0.45);
    t.bell(0.06, len - 0.06, f, 1.0);
    t.bell(0.06, len - 0.06, 2 * f, 0.2);
    t.fadeEdges(0.001, 0.04);
    t.normalise(0.8);
}

void buzzer(Track& t) {
    // Two flat, reedy buzzes, the second lower: the sound of "no".
    auto buzz = [&t](double start, double length, double f) {
        const double nyq = t.nyquist();
        t.add(start, length, [=](double x) {
            double v = 0;
            for (int k = 1; k * f < nyq; k += 2) v += std::sin(kTwoPi * k * f * x) / k;
            v += 0.3 * std::sin(kTwoPi * (f * 1.012) * x);
            const double env = std::min(1.0, x / 0.008) * std::min(1.0, (length - x) / 0.03);
            return v * env;
        });
    };
    buzz(0.0, 0.22, 165);
    buzz(0.26, 0.24, 123);
    t.fadeEdges(0.001, 0.005);
    t.normalise(0.75);
}

void whoosh(Track& t) {
    // Band-passed noise sweeping up and back down, with the flame's crackle.
    Noise noise(105);
    const double len = t.s.size() / static_cast<double>(t.rate);
    double low = 0, band = 0;
    t.add(0, len, [&](double x) {
        const double u = x / len;
        const double shape = std::sin(std::numbers::pi * std::pow(u, 0.7));
        const double fc = 250 * std::pow(14.0, shape);
        const double g = 2 * std::sin(std::numbers::pi * fc / t.rate);
        const double in = noise.next();
        const double high = in - low - 0.5 * band;  // state-variable filter, Q = 2
        band += g * high;
        low += g * band;
        const double env = std::pow(std::sin(std::numbers::pi * std::min(1.0, u * 1.15)), 1.5);
        return band * env;
    });
    Noise sparks(1050);
    for (int i = 0; i < 60; ++i) {
        const double at = 0.15 + (sparks.next() + 1) / 2 * (len - 0.5);
        const double a = 0.15 + 0.15 * (sparks.next() + 1) / 2;
        t.strike(at, 0.02, 3000 + 1500 * sparks.next(), a, {{1.0, 1.0, 0.002}}, 0.0002);
    }
    double phase = 0;
    t.add(0, len, [&](double x) {
        phase += kTwoPi * (60 + 50 * std::sin(std::numbers::pi * x / len)) / t.rate;
        return 0.25 * std::sin(phase) * std::sin(std::numbers::pi * x / len);
    });
    t.fadeEdges(0.01, 0.05);
    t.normalise(0.8);
}

// A win jingle. `level` runs from 0 (the smallest win) to 13 (the largest):
// more notes, higher climbs, fuller chords and, for the big ones, a rolling
// fanfare with coins.
void jingle(Track& t, int level) {
    const double len = t.s.size() / static_cast<double>(t.rate);
    const double root = semitones(523.25, level % 3);  // C5, shifted a little for variety
    static constexpr int kSteps[] = {0, 4, 7, 12, 16, 19, 24, 28, 31};
    const int notes = std::min(9, 2 + level / 2 + 1);
    const bool fanfare = len > 4.0;
    auto voice = [&](double at, double l, double f, double a) {
        if (level >= 9)
            t.brassNote(at, l, f, a);
        else
            t.chimeNote(at, l, f, a);
    };

    double phraseLen = fanfare ? 1.6 : len;
    const double step = std::min(0.11, phraseLen * 0.55 / notes);
    double start = 0;
    int phrase = 0;
    Noise coins(static_cast<std::uint32_t>(1000 + level));
    while (start < len - 0.05) {
        const double key = fanfare ? 2.0 * (phrase % 6) : 0.0;
        const bool last = !fanfare || start + 2 * phraseLen > len;
        const double thisLen = last ? len - start : phraseLen;
        for (int i = 0; i < notes; ++i)
            voice(start + i * step, thisLen - i * step, semitones(root, kSteps[i] + key), 0.6);
        // The closing chord rings to the end of the phrase.
        const double chordAt = start + notes * step;
        const double chordLen = thisLen - notes * step;
        if (chordLen > 0.05) {
            const double top = kSteps[notes - 1] + key;
            voice(chordAt, chordLen, semitones(root, top), 0.7);
            if (level >= 3) voice(chordAt, chordLen, semitones(root, top - 5), 0.45);
            if (level >= 6) voice(chordAt, chordLen, semitones(root, top - 8), 0.4);
            if (level >= 6) t.brassNote(start, thisLen, semitones(root, key - 24), 0.35);  // bass
            // A long closing chord keeps ringing: the top note is struck
            // again and again, a little softer each time, like the bell of
            // a machine paying out.
            double amp = 0.55;
            for (double at = chordAt + 0.18; at < start + thisLen - 0.1; at += 0.18) {
                voice(at, start + thisLen - at, semitones(root, top + (phrase + static_cast<int>(at / 0.18)) % 2 * 12),
                      amp);
                amp *= 0.93;
            }
        }
        if (fanfare) {
            // Coins raining down, more of them as the sequence goes on.
            const int rain = 4 + 2 * phrase;
            for (int i = 0; i < rain; ++i) {
                const double at = start + (coins.next() + 1) / 2 * thisLen;
                t.coin(at, std::min(t.nyquist() * 0.7, 2600 + 900 * coins.next()), 0.25);
            }
        }
        start += thisLen;
        ++phrase;
    }
    t.fadeEdges(0.002, std::min(0.15, len / 6));
    t.normalise(0.85);
}

// The free-spin tune: eight bars over a minor progression, written into a
// wrapping track so that its end runs straight into its start.
void loopTune(Track& t) {
    t.wrap = true;
    const double len = t.s.size() / static_cast<double>(t.rate);
    const double beat = len / 32;
    const double a3 = 220.0;
    // Chord roots in semitones from A, and whether the chord is minor.
    static constexpr int kRoots[] = {0, -4, 3, -2, 0, -4, -2, -5};
    static constexpr bool kMinor[] = {true, false, false, false, true, false, false, false};
    static constexpr int kPattern[] = {0, 2, 1, 2, 3, 2, 1, 2};  // arpeggio over chord tones
    Noise noise(117);
    for (int bar = 0; bar < 8; ++bar) {
        const double barAt = bar * 4 * beat;
        const int r = kRoots[bar];
        const int tones[] = {0, kMinor[bar] ? 3 : 4, 7, 12};
        // Bass on beats one and three.
        t.strike(barAt, 2 * beat, semitones(a3 / 2, r), 0.5, {{1.0, 1.0, 0.5}, {2.0, 0.4, 0.3}}, 0.01);
        t.strike(barAt + 2 * beat, 2 * beat, semitones(a3 / 2, r + 7), 0.4, {{1.0, 1.0, 0.5}, {2.0, 0.4, 0.3}},
                 0.01);
        // Arpeggio in eighths.
        for (int i = 0; i < 8; ++i)
            t.chimeNote(barAt + i * beat / 2, beat * 1.5, semitones(a3 * 2, r + tones[kPattern[i]]), 0.22);
        // A melody note on each beat, stepping through the chord.
        for (int b = 0; b < 4; ++b) {
            const int tone = tones[(bar + b * 3) % 4] + ((b == 3 && bar % 2 == 1) ? 2 : 0);
            t.chimeNote(barAt + b * beat, beat * 1.2, semitones(a3 * 4, r + tone), b == 0 ? 0.3 : 0.2);
        }
        // Hi-hat on the off-beats.
        for (int b = 0; b < 4; ++b) t.hat(barAt + b * beat + beat / 2, 0.12, noise);
    }
    t.normalise(0.6);
}

// --- writing ---------------------------------------------------------------

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void putChunk(std::vector<std::uint8_t>& out, const char* tag, const std::vector<std::uint8_t>& body) {
    putTag(out, tag);
    put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) out.push_back(0);
}

std::vector<std::uint8_t> text(const std::string& s) {
    std::vector<std::uint8_t> v(s.begin(), s.end());
    v.push_back(0);
    return v;
}

std::vector<std::uint8_t> infoList(const std::string& name) {
    std::vector<std::uint8_t> body;
    putTag(body, "INFO");
    putChunk(body, "INAM", text(name));
    putChunk(body, "ISFT", text("velmoran soundgen"));
    return body;
}

std::vector<std::uint8_t> encode(const CueFormat& f, const Track& t) {
    std::vector<std::uint8_t> fmt;
    const std::uint32_t block = static_cast<std::uint32_t>(f.bits / 8);
    put16(fmt, 1);  // PCM
    put16(fmt, 1);  // mono
    put32(fmt, static_cast<std::uint32_t>(f.rate));
    put32(fmt, static_cast<std::uint32_t>(f.rate) * block);
    put16(fmt, block);
    put16(fmt, static_cast<std::uint32_t>(f.bits));

    std::vector<std::uint8_t> data;
    for (double v : t.s) {
        const double c = std::clamp(v, -1.0, 1.0);
        if (f.bits == 8) {
            data.push_back(static_cast<std::uint8_t>(std::lround(128 + 127 * c)));
        } else {
            put16(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(32767 * c))));
        }
    }

    std::vector<std::uint8_t> body;
    putTag(body, "WAVE");
    if (f.cue == 124) {
        std::vector<std::uint8_t> disp{1, 0, 0, 0};  // clipboard text
        const auto name = text("Velmoran click");
        disp.insert(disp.end(), name.begin(), name.end());
        putChunk(body, "DISP", disp);
        putChunk(body, "LIST", infoList("Button click"));
    }
    putChunk(body, "fmt ", fmt);
    putChunk(body, "data", data);
    if (f.cue == 117) putChunk(body, "LIST", infoList("Free spin theme"));

    std::vector<std::uint8_t> file;
    putTag(file, "RIFF");
    put32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Track synthesise(const CueFormat& f) {
    Track t(f.rate, static_cast<std::size_t>(std::lround(f.seconds * f.rate)));
    static constexpr int kWinCues[] = {101, 102, 103, 104, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115};
    if (f.cue == 124) {
        click(t);
    } else if (f.cue == 116) {
        thud(t);
    } else if (f.cue >= 119 && f.cue <= 123) {
        scatterChime(t, f.cue - 119);
    } else if (f.cue == 125) {
        buzzer(t);
    } else if (f.cue == 105) {
        whoosh(t);
    } else if (f.cue == 117) {
        loopTune(t);
    } else {
        const auto* w = std::find(std::begin(kWinCues), std::end(kWinCues), f.cue);
        jingle(t, static_cast<int>(w - std::begin(kWinCues)));
    }
    return t;
}

}  // namespace
}  // namespace velmoran

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: velmoran_soundgen <output directory>\n";
        return 2;
    }
    const std::string dir = argv[1];
    for (const auto& f : velmoran::soundgen::kCueFormats) {
        const auto bytes = velmoran::encode(f, velmoran::synthesise(f));
        const std::string path = dir + "/RESOURCE_ID_" + std::to_string(f.cue) + ".wav";
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "velmoran_soundgen: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
