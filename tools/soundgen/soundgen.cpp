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

double semitones(double base, double n) {
    return base * std::pow(2.0, n / 12.0);
}

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

    // A coin landing in the metal tray: a tick of contact, then the coin's
    // own inharmonic ring, struck again by two smaller bounces.
    void coin(double start, double freq, double amp, Noise& noise) {
        const double f = std::min(freq, nyquist() / 2.6);
        double bounceAt = 0, bounceAmp = 1;
        for (int b = 0; b < 3; ++b) {
            const double at = start + bounceAt;
            add(at, 0.0015, [&, a = amp * bounceAmp](double x) { return a * 0.6 * noise.next() * (1 - x / 0.0015); });
            strike(at, 0.12, f, amp * bounceAmp,
                   {{1.0, 1.0, 0.045}, {1.59, 0.7, 0.035}, {2.14, 0.45, 0.025}, {2.61, 0.3, 0.018}}, 0.0005);
            bounceAt += 0.028 - 0.008 * b + 0.004 * noise.next();
            bounceAmp *= 0.45;
        }
    }

    // A struck bell: the hum an octave below, the strike note, a minor
    // third, a fifth and the nominal an octave above, each ringing out at
    // its own rate; the upper partials die first.
    void bellStrike(double start, double length, double freq, double amp) {
        strike(start, length, freq, amp,
               {{0.5, 0.35, 1.6},
                {1.0, 1.0, 1.1},
                {1.19, 0.45, 0.7},
                {1.5, 0.3, 0.5},
                {2.0, 0.55, 0.45},
                {2.51, 0.25, 0.25},
                {3.01, 0.2, 0.15},
                {4.1, 0.12, 0.08}},
               0.002);
    }

    // The electric bell of a paying cabinet: a hammer beating a gong some
    // eighteen times a second, each blow ringing into the next.
    void alarmBell(double start, double length, double freq, double amp, Noise& noise) {
        const double beat = 1.0 / 18.0;
        for (double at = 0; at < length - 0.01; at += beat) {
            const double a = amp * (0.85 + 0.15 * noise.next());
            strike(start + at, std::min(0.25, length - at), freq, a,
                   {{1.0, 1.0, 0.12}, {2.76, 0.5, 0.06}, {5.40, 0.25, 0.03}}, 0.001);
            add(start + at, 0.002, [&, a](double x) { return 0.25 * a * noise.next() * (1 - x / 0.002); });
        }
    }

    // The hopper paying out: coins dropping at a steady rate, a little
    // uneven, each of its own pitch, over the hum of the motor.
    void hopper(double start, double length, double perSecond, double amp, Noise& noise, bool motor) {
        for (double at = 0.02; at < length - 0.05; at += (1 + 0.25 * noise.next()) / perSecond)
            coin(start + at, 2400 + 700 * noise.next(), amp * (0.8 + 0.2 * noise.next()), noise);
        if (!motor) return;
        double phase = 0, lp = 0;
        add(start, length, [&, amp, length](double x) {
            phase += kTwoPi * 95 / rate;
            lp += 0.05 * (noise.next() - lp);
            const double env = std::min(1.0, x / 0.08) * std::min(1.0, (length - x) / 0.08);
            return amp * 0.35 * env * (std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.3 * std::sin(3 * phase) + lp);
        });
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

    // The RMS of the loudest stretch of `window` seconds (of the whole
    // track when shorter), in dBFS.
    double level(double window) const {
        const std::size_t n = std::min(s.size(), static_cast<std::size_t>(std::lround(window * rate)));
        if (n == 0) return -200;
        double sum = 0, best = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            sum += s[i] * s[i];
            if (i >= n) sum -= s[i - n] * s[i - n];
            if (i + 1 >= n) best = std::max(best, sum);
        }
        return 10 * std::log10(std::max(best / static_cast<double>(n), 1e-20));
    }

    // Brings the track to `target` dBFS (see level()) with no sample beyond
    // `ceiling`: peaks that would pass it are held down by a gain that
    // closes within a millisecond ahead of them and opens over 40 ms.
    // Returns false when the level cannot be reached.
    bool levelTo(double target, double window, double ceiling) {
        for (int round = 0; round < 12; ++round) {
            const double now = level(window);
            if (std::abs(now - target) < 0.05) break;
            const double g = std::pow(10.0, (target - now) / 20);
            for (double& v : s) v *= g;
            limit(ceiling);
        }
        double m = 0;
        for (double v : s) m = std::max(m, std::abs(v));
        return std::abs(level(window) - target) < 0.1 && m <= ceiling + 1e-9;
    }

    void limit(double ceiling) {
        const std::size_t n = s.size();
        std::vector<double> gain(n, 1.0);
        for (std::size_t i = 0; i < n; ++i)
            if (std::abs(s[i]) > ceiling) gain[i] = ceiling / std::abs(s[i]);
        // Look ahead: each sample takes the lowest gain of the next ms.
        const std::size_t ahead = static_cast<std::size_t>(rate) / 1000 + 1;
        std::vector<double> held(n);
        for (std::size_t i = 0; i < n; ++i) {
            double g = 1.0;
            for (std::size_t j = i; j < std::min(n, i + ahead); ++j) g = std::min(g, gain[j]);
            held[i] = g;
        }
        // Close at once, open slowly.
        const double open = 1 - std::exp(-1.0 / (0.04 * rate));
        double g = 1.0;
        for (std::size_t i = 0; i < n; ++i) {
            g = held[i] < g ? held[i] : g + (held[i] - g) * open;
            s[i] *= g;
        }
        for (double& v : s) v = std::clamp(v, -ceiling, ceiling);
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

// The reel stop: the latch's pawl snaps into its notch, the drum knocks
// against it a moment later with a low body (high enough to carry on small
// speakers) and rattles once as it settles. All of it is over in a tenth
// of a second, before the next reel can stop.
void thud(Track& t) {
    Noise noise(116);
    // The pawl: a bright, hard snap.
    double prev = 0;
    t.add(0, 0.004, [&](double x) {
        const double n = noise.next();
        const double hp = n - 0.7 * prev;
        prev = n;
        return 1.2 * hp * std::exp(-x / 0.0012);
    });
    t.strike(0, 0.03, 3200, 0.35, {{1.0, 1.0, 0.004}, {1.73, 0.6, 0.003}}, 0.0002);
    // The drum against the stop: a knock whose pitch sags as it settles.
    const double knock = 0.012;
    double phase = 0;
    t.add(knock, 0.2, [&](double x) {
        const double f = 120 + 110 * std::exp(-x / 0.02);
        phase += kTwoPi * f / t.rate;
        return 0.9 * std::exp(-x / 0.03) * (std::sin(phase) + 0.35 * std::sin(2 * phase)) * std::min(1.0, x / 0.001);
    });
    t.strike(knock, 0.1, 430, 0.45, {{1.0, 1.0, 0.018}, {2.3, 0.4, 0.01}});
    // One rattle of the latch as the drum comes to rest.
    t.strike(0.05, 0.03, 2500, 0.18, {{1.0, 1.0, 0.004}, {1.6, 0.5, 0.003}}, 0.0002);
    t.fadeEdges(0.0005, 0.03);
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

// The win sounds, by `level` from 0 (the smallest win) to 13 (the
// largest). They speak with the cabinet's own parts rather than a tune:
//   0-3   coins: one to four coins dropping into the tray, after a small
//         counter bell;
//   4-10  the payout: a hand bell struck two to four times over the hopper
//         paying coins;
//   11-13 the jackpot: the electric bell ringing without a break over the
//         hopper running flat out with its motor, a big bell struck at the
//         start and again and again, and a last strike that rings out.
void winCoins(Track& t, int level) {
    Noise noise(static_cast<std::uint32_t>(2000 + level));
    const double len = t.s.size() / static_cast<double>(t.rate);
    // A desk bell a fifth higher for each larger win.
    t.strike(0, len, semitones(1318.5, 2 * level), 0.5, {{1.0, 1.0, 0.25}, {2.71, 0.35, 0.08}, {5.2, 0.12, 0.03}},
             0.001);
    const int coins = level + 1;
    for (int i = 0; i < coins; ++i) {
        const double at = 0.015 + i * std::min(0.11, (len - 0.1) / coins);
        t.coin(at, 2300 + 500 * noise.next(), 0.8, noise);
    }
    t.fadeEdges(0.0005, std::min(0.05, len / 5));
    t.normalise(0.8);
}

void winPayout(Track& t, int level) {
    Noise noise(static_cast<std::uint32_t>(3000 + level));
    const double len = t.s.size() / static_cast<double>(t.rate);
    // Each cue its own bell: lower and fuller as the win grows.
    const double bell = semitones(880.0, -2.0 * (level - 4));
    const int strikes = 2 + (level - 4) / 3;
    const double gap = std::min(0.45, (len - 0.6) / strikes);
    for (int i = 0; i < strikes; ++i) t.bellStrike(i * gap, len - i * gap, i % 2 ? bell * 1.26 : bell, 0.9);
    t.hopper(0.05, len - 0.25, 7 + level, 0.35, noise, false);
    t.fadeEdges(0.001, std::min(0.3, len / 5));
    t.normalise(0.85);
}

void winJackpot(Track& t, int level) {
    Noise noise(static_cast<std::uint32_t>(4000 + level));
    const double len = t.s.size() / static_cast<double>(t.rate);
    const double ring = len - 1.2;  // the electric bell stops, the last strike rings out
    t.alarmBell(0, ring, 1046.5 - 60 * (level - 11), 0.32, noise);
    t.hopper(0.03, ring, 14 + 2 * (level - 11), 0.22, noise, true);
    const double big = semitones(392.0, -2.0 * (level - 11));
    for (double at = 0; at < ring - 0.5; at += 2.0) t.bellStrike(at, std::min(2.5, len - at), big, 0.7);
    t.bellStrike(ring, len - ring, big, 0.9);
    t.bellStrike(ring, len - ring, big * 1.5, 0.45);
    t.fadeEdges(0.001, 0.4);
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
        t.strike(barAt + 2 * beat, 2 * beat, semitones(a3 / 2, r + 7), 0.4, {{1.0, 1.0, 0.5}, {2.0, 0.4, 0.3}}, 0.01);
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
        const int level = static_cast<int>(w - std::begin(kWinCues));
        if (level <= 3)
            winCoins(t, level);
        else if (level <= 10)
            winPayout(t, level);
        else
            winJackpot(t, level);
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
    // Below full scale by more than an 8-bit step, so no sample clips.
    constexpr double kCeiling = 0.97;
    for (const auto& f : velmoran::soundgen::kCueFormats) {
        velmoran::Track t = velmoran::synthesise(f);
        if (!t.levelTo(f.level, velmoran::soundgen::kLevelWindow, kCeiling)) {
            std::cerr << "velmoran_soundgen: cue " << f.cue << " cannot reach " << f.level << " dBFS\n";
            return 1;
        }
        const auto bytes = velmoran::encode(f, t);
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
