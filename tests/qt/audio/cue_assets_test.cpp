// The cues embedded in the program: each is a WAVE image our reader takes,
// with the rate, width and length the machine expects, and sounds that
// start and end without a click.

#include <gtest/gtest.h>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/elements.h"
#include "shell/audio/wave_reader.h"
#include "soundgen/cue_formats.h"

namespace velmoran::audio {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The table the generator works from.
using soundgen::kCueFormats;

Bytes resource(int cue) {
    QFile f(QStringLiteral(":/sounds/RESOURCE_ID_%1.wav").arg(cue));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    return Bytes(b.begin(), b.end());
}

// Samples as values from -1 to 1.
std::vector<double> levels(const WaveImage& w) {
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
    ASSERT_EQ(std::size(kCueFormats), kAllSoundCues.size());
    for (const auto& e : kCueFormats) {
        SCOPED_TRACE(testing::Message() << "cue " << e.cue);
        const Bytes bytes = resource(e.cue);
        ASSERT_FALSE(bytes.empty());
        const WaveImage w = readWave(bytes);
        ASSERT_TRUE(w.ok()) << describe(w.error);
        EXPECT_EQ(w.format, (WaveFormat{1, static_cast<std::uint32_t>(e.rate), static_cast<std::uint16_t>(e.bits)}));
        EXPECT_LE(std::abs(w.seconds() - e.seconds), 1.0 / e.rate) << w.seconds() << " s";
    }
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
        const std::vector<double> v = levels(w);
        double peak = 0;
        for (double x : v) peak = std::max(peak, std::abs(x));
        EXPECT_GT(peak, 0.5);
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
    const std::vector<double> v = levels(w);
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
        const std::vector<double> v = levels(w);
        const double energy = rms(v, 0, v.size()) * rms(v, 0, v.size()) * w.seconds();
        EXPECT_GT(energy, previous);
        previous = energy;
    }
}

}  // namespace
}  // namespace velmoran::audio
