// The cues embedded in the program: each is a WAVE image our reader takes,
// with the rate, width and length the machine expects, at the loudness the
// generator aims for, with the wins loudest, and sounds that start and end
// without a click.

#include <gtest/gtest.h>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/elements.h"
#include "shell/audio/wave_reader.h"
#include "soundgen/cue_formats.h"

namespace velmoran::audio {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The table the generator works from, for its levels.
using soundgen::kCueFormats;

// What the machine expects of each cue, written out apart from the
// generator's table so that a wrong value typed into either one fails.
struct Expected {
    int cue;
    std::uint32_t rate;
    std::uint16_t bits;
    double seconds;
};
constexpr Expected kExpected[] = {
    {101, 11025, 8, 0.240},  {102, 11025, 8, 0.552},  {103, 11025, 8, 0.707},  {104, 11025, 8, 0.707},
    {105, 44100, 16, 1.935}, {106, 11025, 8, 1.761},  {107, 11025, 8, 1.946},  {108, 11025, 8, 1.947},
    {109, 11025, 8, 2.360},  {110, 11025, 8, 2.412},  {111, 11025, 8, 2.929},  {112, 11025, 16, 1.615},
    {113, 11025, 8, 4.921},  {114, 11025, 8, 13.945}, {115, 44100, 8, 14.495}, {116, 44100, 8, 0.281},
    {117, 22050, 8, 16.939}, {119, 44100, 8, 0.524},  {120, 44100, 8, 0.466},  {121, 44100, 8, 0.436},
    {122, 44100, 8, 0.409},  {123, 44100, 8, 0.365},  {124, 22050, 16, 0.057}, {125, 11025, 8, 0.510},
};

Bytes resource(int cue) {
    QFile f(QStringLiteral(":/sounds/RESOURCE_ID_%1.wav").arg(cue));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    return Bytes(b.begin(), b.end());
}

// Samples as values from -1 to 1.
std::vector<double> valuesOf(const WaveImage& w) {
    std::vector<double> v;
    if (w.format.bitsPerSample == 8) {
        for (std::uint8_t s : w.samples) v.push_back((s - 128) / 128.0);
    } else {
        for (std::size_t i = 0; i + 1 < w.samples.size(); i += 2)
            v.push_back(static_cast<std::int16_t>(w.samples[i] | (w.samples[i + 1] << 8)) / 32768.0);
    }
    return v;
}

double rms(const std::vector<double>& v, std::size_t from, std::size_t count) {
    double sum = 0;
    for (std::size_t i = from; i < from + count; ++i) sum += v[i] * v[i];
    return std::sqrt(sum / static_cast<double>(count));
}

// The chunk identifiers of a RIFF image in file order.
std::vector<std::string> chunkIds(const Bytes& b) {
    std::vector<std::string> ids;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        ids.emplace_back(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + 4));
        const std::size_t size = b[at + 4] | (b[at + 5] << 8) | (b[at + 6] << 16) | (std::size_t{b[at + 7]} << 24);
        at += 8 + size + size % 2;
    }
    return ids;
}

TEST(CueAssets, EveryCueHasItsFormatAndLength) {
    ASSERT_EQ(std::size(kExpected), kAllSoundCues.size());
    for (std::size_t i = 0; i < kAllSoundCues.size(); ++i) {
        const Expected& e = kExpected[i];
        ASSERT_EQ(e.cue, number(kAllSoundCues[i]));
        SCOPED_TRACE(testing::Message() << "cue " << e.cue);
        const Bytes bytes = resource(e.cue);
        ASSERT_FALSE(bytes.empty());
        const WaveImage w = readWave(bytes);
        ASSERT_TRUE(w.ok()) << describe(w.error);
        EXPECT_EQ(w.format, (WaveFormat{1, e.rate, e.bits}));
        EXPECT_LE(std::abs(w.seconds() - e.seconds), 1.0 / e.rate) << w.seconds() << " s";
    }
}

// The RMS of the loudest quarter second, in dBFS, as the generator measures.
double levelOf(const std::vector<double>& v, std::uint32_t rate) {
    const std::size_t n = std::min(v.size(), static_cast<std::size_t>(std::lround(soundgen::kLevelWindow * rate)));
    double best = 0;
    for (std::size_t i = 0; i + n <= v.size(); i += std::max<std::size_t>(1, n / 50))
        best = std::max(best, rms(v, i, n));
    return 20 * std::log10(best);
}

std::map<int, double> measuredLevels() {
    std::map<int, double> levels;
    for (const auto& e : kExpected) {
        const Bytes bytes = resource(e.cue);
        const WaveImage w = readWave(bytes);
        if (w.ok()) levels[e.cue] = levelOf(valuesOf(w), w.format.sampleRate);
    }
    return levels;
}

TEST(CueAssets, EachCueSoundsAtTheLevelTheGeneratorAimsFor) {
    const auto levels = measuredLevels();
    for (const auto& f : kCueFormats) {
        SCOPED_TRACE(testing::Message() << "cue " << f.cue);
        ASSERT_TRUE(levels.contains(f.cue));
        EXPECT_NEAR(levels.at(f.cue), f.level, 0.5);
    }
}

TEST(CueAssets, TheWinsAreTheLoudestFamily) {
    const auto levels = measuredLevels();
    ASSERT_EQ(levels.size(), std::size(kExpected));
    std::vector<double> wins;
    for (int cue : {101, 102, 103, 104, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115})
        wins.push_back(levels.at(cue));
    const double quietestWin = *std::min_element(wins.begin(), wins.end());
    std::vector<double> sorted = wins;
    std::sort(sorted.begin(), sorted.end());
    const double middleWin = (sorted[6] + sorted[7]) / 2;
    // The click and the reel stop well under every win; the buzzer that
    // refuses a bet no louder than a middle win; nothing else above a win.
    EXPECT_LT(levels.at(124), quietestWin - 3);
    EXPECT_LT(levels.at(116), quietestWin - 2);
    EXPECT_LE(levels.at(125), middleWin);
    for (int cue : {105, 116, 117, 119, 120, 121, 122, 123, 124, 125})
        EXPECT_LT(levels.at(cue), quietestWin) << "cue " << cue;
    // And a larger win never sounds quieter than a smaller one.
    for (std::size_t i = 1; i < wins.size(); ++i) EXPECT_GE(wins[i], wins[i - 1] - 0.5) << "win " << i;
}

TEST(CueAssets, ExtraChunksSitWhereThePlayerMustWalkPastThem) {
    EXPECT_EQ(chunkIds(resource(124)), (std::vector<std::string>{"DISP", "LIST", "fmt ", "data"}));
    EXPECT_EQ(chunkIds(resource(117)), (std::vector<std::string>{"fmt ", "data", "LIST"}));
    // The others are plain.
    EXPECT_EQ(chunkIds(resource(116)), (std::vector<std::string>{"fmt ", "data"}));
}

TEST(CueAssets, CuesAreAudibleAndStartAndEndWithoutAClick) {
    for (const auto& e : kCueFormats) {
        SCOPED_TRACE(testing::Message() << "cue " << e.cue);
        const Bytes bytes = resource(e.cue);
        const WaveImage w = readWave(bytes);
        ASSERT_TRUE(w.ok());
        const std::vector<double> v = valuesOf(w);
        double peak = 0;
        for (double x : v) peak = std::max(peak, std::abs(x));
        EXPECT_GT(peak, 0.1);
        EXPECT_LT(peak, 1.0);        // no clipping at full scale
        if (e.cue == 117) continue;  // the loop has no edges; see below
        // One 8-bit step of slack at the edges.
        EXPECT_LE(std::abs(v.front()), 1.0 / 64) << v.front();
        EXPECT_LE(std::abs(v.back()), 1.0 / 64) << v.back();
    }
}

TEST(CueAssets, TheFreeSpinTuneJoinsItsEndToItsStart) {
    const Bytes bytes = resource(117);
    const WaveImage w = readWave(bytes);
    ASSERT_TRUE(w.ok());
    const std::vector<double> v = valuesOf(w);
    // The tune plays through the seam: no silent gap on either side.
    const std::size_t window = w.format.sampleRate / 20;
    EXPECT_GT(rms(v, v.size() - window, window), 0.02);
    EXPECT_GT(rms(v, 0, window), 0.02);
    // The step across the seam is no bigger than the steps the tune takes
    // anyway, at its most restless.
    std::vector<double> steps;
    for (std::size_t i = 1; i < v.size(); ++i) steps.push_back(std::abs(v[i] - v[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() * 99 / 100), steps.end());
    const double p99 = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(v.front() - v.back()), p99 + 1.0 / 128);
    // And the slope carries on: the step across the seam resembles its
    // neighbours (a cut mid-wave would reverse or jump).
    const double before = v[v.size() - 1] - v[v.size() - 2];
    const double across = v.front() - v.back();
    EXPECT_LE(std::abs(across - before), 3 * p99 + 1.0 / 64);
}

// What the sounds must keep for the game's timing: the jackpot bell rings
// on without a break (it plays while the win lines blink), and a reel stop
// has died away before the next reel can stop, some 150 ms later.
TEST(CueAssets, JackpotBellsRingOnAndReelStopsDieAway) {
    for (int cue : {113, 114, 115}) {
        SCOPED_TRACE(testing::Message() << "cue " << cue);
        const Bytes bytes = resource(cue);
        const WaveImage w = readWave(bytes);
        ASSERT_TRUE(w.ok());
        const std::vector<double> v = valuesOf(w);
        std::size_t run = 0, longest = 0;
        for (std::size_t i = 0; i < v.size() - w.format.sampleRate; ++i) {  // up to the last second
            run = std::abs(v[i]) > 0.01 ? 0 : run + 1;
            longest = std::max(longest, run);
        }
        EXPECT_LT(static_cast<double>(longest) / w.format.sampleRate, 0.005);
    }
    const Bytes bytes = resource(116);
    const WaveImage w = readWave(bytes);
    ASSERT_TRUE(w.ok());
    const std::vector<double> v = valuesOf(w);
    double peak = 0;
    for (double x : v) peak = std::max(peak, std::abs(x));
    const auto from = static_cast<std::size_t>(0.15 * w.format.sampleRate);
    double after = 0;
    for (std::size_t i = from; i < v.size(); ++i) after = std::max(after, std::abs(v[i]));
    EXPECT_LT(after, peak / 10);
}

TEST(CueAssets, WinJinglesGrowWithTheWin) {
    // Longer and louder overall as the win grows: compare the energy each
    // win cue carries, in the order of the win table.
    const int order[] = {101, 102, 103, 106, 109, 113, 114};
    double previous = 0;
    for (int cue : order) {
        SCOPED_TRACE(testing::Message() << "cue " << cue);
        const Bytes bytes = resource(cue);
        const WaveImage w = readWave(bytes);
        ASSERT_TRUE(w.ok());
        const std::vector<double> v = valuesOf(w);
        const double energy = rms(v, 0, v.size()) * rms(v, 0, v.size()) * w.seconds();
        EXPECT_GT(energy, previous);
        previous = energy;
    }
}

}  // namespace
}  // namespace velmoran::audio
