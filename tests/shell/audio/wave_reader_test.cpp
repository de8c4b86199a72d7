#include "shell/audio/wave_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmoran::audio {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
void putTag(Bytes& b, const std::string& tag) {
    for (char c : tag) b.push_back(static_cast<std::uint8_t>(c));
}

struct FmtFields {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 11025;
    std::uint16_t bits = 8;
    int blockAlign = -1;  // -1: the right one
};

Bytes fmtBody(const FmtFields& f) {
    Bytes b;
    const std::uint16_t block = f.blockAlign >= 0 ? static_cast<std::uint16_t>(f.blockAlign)
                                                  : static_cast<std::uint16_t>(f.channels * f.bits / 8);
    put16(b, f.tag);
    put16(b, f.channels);
    put32(b, f.rate);
    put32(b, f.rate * block);
    put16(b, block);
    put16(b, f.bits);
    return b;
}

Bytes extensibleBody(std::uint16_t subTag, std::uint16_t validBits) {
    FmtFields f;
    f.tag = 0xFFFE;
    f.bits = 16;
    Bytes b = fmtBody(f);
    put16(b, 22);         // extension size
    put16(b, validBits);  // valid bits per sample
    put32(b, 0x4);        // channel mask: front centre
    put16(b, subTag);
    for (int v : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
        b.push_back(static_cast<std::uint8_t>(v));
    return b;
}

// Builds a RIFF WAVE image chunk by chunk.
class Riff {
public:
    Riff& chunk(const std::string& tag, const Bytes& body, bool pad = true) {
        putTag(body_, tag);
        put32(body_, static_cast<std::uint32_t>(body.size()));
        body_.insert(body_.end(), body.begin(), body.end());
        if (pad && body.size() % 2) body_.push_back(0);
        return *this;
    }
    // A chunk header claiming `size` bytes, followed by what there is.
    Riff& header(const std::string& tag, std::uint32_t size) {
        putTag(body_, tag);
        put32(body_, size);
        return *this;
    }
    Bytes bytes() const { return bytes(static_cast<std::uint32_t>(4 + body_.size())); }
    Bytes bytes(std::uint32_t riffSize) const {
        Bytes b;
        putTag(b, "RIFF");
        put32(b, riffSize);
        putTag(b, "WAVE");
        b.insert(b.end(), body_.begin(), body_.end());
        return b;
    }

private:
    Bytes body_;
};

Bytes ramp(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return b;
}

Bytes plainWave(const FmtFields& f, std::size_t dataBytes) {
    return Riff().chunk("fmt ", fmtBody(f)).chunk("data", ramp(dataBytes)).bytes();
}

// The samples must be a whole number of frames lying inside the input.
void expectSane(const WaveImage& w, const Bytes& in) {
    if (!w.ok()) {
        EXPECT_TRUE(w.samples.empty());
        return;
    }
    const auto per = w.format.bytesPerFrame();
    ASSERT_GT(per, 0u);
    EXPECT_EQ(w.samples.size() % per, 0u);
    if (!w.samples.empty()) {
        EXPECT_GE(w.samples.data(), in.data());
        EXPECT_LE(w.samples.data() + w.samples.size(), in.data() + in.size());
    }
}

TEST(WaveReader, AcceptsPcmMonoAndStereoAtEightAndSixteenBits) {
    struct Case {
        std::uint16_t channels, bits;
        std::uint32_t rate;
        std::size_t dataBytes, frames;
    };
    for (const Case c : {Case{1, 8, 11025, 101, 101}, Case{1, 16, 22050, 200, 100}, Case{2, 8, 44100, 60, 30},
                         Case{2, 16, 44100, 400, 100}}) {
        SCOPED_TRACE(testing::Message() << c.channels << " ch, " << c.bits << " bit");
        FmtFields f;
        f.channels = c.channels;
        f.bits = c.bits;
        f.rate = c.rate;
        const Bytes in = plainWave(f, c.dataBytes);
        const WaveImage w = readWave(in);
        ASSERT_TRUE(w.ok()) << describe(w.error);
        EXPECT_EQ(w.format, (WaveFormat{c.channels, c.rate, c.bits}));
        EXPECT_EQ(w.frameCount(), c.frames);
        EXPECT_DOUBLE_EQ(w.seconds(), static_cast<double>(c.frames) / c.rate);
        // The samples are the data chunk's bytes, in place.
        EXPECT_EQ(Bytes(w.samples.begin(), w.samples.end()), ramp(c.dataBytes));
        expectSane(w, in);
    }
}

TEST(WaveReader, WalksTheChunkListWhateverItHolds) {
    const Bytes samples = ramp(33);
    Bytes disp{1, 0, 0, 0, 'c', 'l', 'i', 'c', 'k', 0};
    Bytes list;
    putTag(list, "INFO");
    putTag(list, "INAM");
    put32(list, 5);
    putTag(list, "tune");
    list.push_back(0);
    list.push_back(0);  // the sub-chunk's pad byte

    struct Case {
        const char* what;
        Bytes file;
    };
    const Case cases[] = {
        {"DISP and LIST before the format",
         Riff().chunk("DISP", disp).chunk("LIST", list).chunk("fmt ", fmtBody({})).chunk("data", samples).bytes()},
        {"LIST after the data", Riff().chunk("fmt ", fmtBody({})).chunk("data", samples).chunk("LIST", list).bytes()},
        {"odd chunk with its pad byte before the format",
         Riff().chunk("junk", ramp(7)).chunk("fmt ", fmtBody({})).chunk("data", samples).bytes()},
        {"data before the format", Riff().chunk("data", samples).chunk("fmt ", fmtBody({})).bytes()},
        {"odd data chunk at the end without its pad byte",
         Riff().chunk("fmt ", fmtBody({})).chunk("data", samples, false).bytes()},
        {"a second data chunk is ignored",
         Riff().chunk("fmt ", fmtBody({})).chunk("data", samples).chunk("data", ramp(4)).bytes()},
        {"a format chunk with an extension",
         [&] {
             Bytes f = fmtBody({});
             put16(f, 0);
             return Riff().chunk("fmt ", f).chunk("data", samples).bytes();
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const WaveImage w = readWave(c.file);
        ASSERT_TRUE(w.ok()) << describe(w.error);
        EXPECT_EQ(w.format, (WaveFormat{1, 11025, 8}));
        EXPECT_EQ(Bytes(w.samples.begin(), w.samples.end()), samples);
        expectSane(w, c.file);
    }
}

TEST(WaveReader, ToleratesTrailingBytesAndDropsAPartialFrame) {
    FmtFields stereo16;
    stereo16.channels = 2;
    stereo16.bits = 16;
    // 4-byte frames: 10 bytes hold two frames and a half.
    Bytes in = plainWave(stereo16, 10);
    WaveImage w = readWave(in);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.frameCount(), 2u);
    EXPECT_EQ(w.samples.size(), 8u);

    // Junk after the RIFF body, and a stub too short for a chunk header.
    Bytes riff = Riff().chunk("fmt ", fmtBody({})).chunk("data", ramp(6)).bytes();
    Bytes withStub = riff;
    withStub.insert(withStub.end(), {'x', 'y', 'z'});
    Bytes body(withStub.begin() + 8, withStub.end());
    Bytes stub = Riff().bytes(static_cast<std::uint32_t>(body.size()));
    stub.resize(8);
    stub.insert(stub.end(), body.begin(), body.end());
    riff.insert(riff.end(), {0xDE, 0xAD, 0xBE, 0xEF, 0x01});
    for (const Bytes& b : {riff, stub}) {
        w = readWave(b);
        ASSERT_TRUE(w.ok()) << describe(w.error);
        EXPECT_EQ(w.frameCount(), 6u);
    }
}

TEST(WaveReader, ExtensibleFormatIsAcceptedOnlyForPlainPcm) {
    const Bytes samples = ramp(20);
    WaveImage w = readWave(Riff().chunk("fmt ", extensibleBody(1, 16)).chunk("data", samples).bytes());
    ASSERT_TRUE(w.ok()) << describe(w.error);
    EXPECT_EQ(w.format, (WaveFormat{1, 11025, 16}));
    EXPECT_EQ(w.frameCount(), 10u);

    EXPECT_EQ(readWave(Riff().chunk("fmt ", extensibleBody(3, 16)).chunk("data", samples).bytes()).error,
              WaveError::NotPcm);
    EXPECT_EQ(readWave(Riff().chunk("fmt ", extensibleBody(1, 12)).chunk("data", samples).bytes()).error,
              WaveError::BadBitsPerSample);
    Bytes cut = extensibleBody(1, 16);
    cut.resize(30);
    EXPECT_EQ(readWave(Riff().chunk("fmt ", cut).chunk("data", samples).bytes()).error, WaveError::FormatTooShort);
}

TEST(WaveReader, RejectsMalformedFilesWithTheirReason) {
    auto withFmt = [](FmtFields f) { return plainWave(f, 16); };
    FmtFields f;
    const Bytes good = plainWave(f, 16);
    Bytes shortFmt = fmtBody(f);
    shortFmt.resize(14);

    struct Case {
        const char* what;
        Bytes file;
        WaveError error;
    };
    const Case cases[] = {
        {"empty", {}, WaveError::TooShort},
        {"eleven bytes", Bytes(good.begin(), good.begin() + 11), WaveError::TooShort},
        {"RIFF size below the form type", Riff().bytes(2), WaveError::TooShort},
        {"big-endian RIFX",
         [&] {
             Bytes b = good;
             b[3] = 'X';
             return b;
         }(),
         WaveError::NotRiff},
        {"not RIFF at all", Bytes(40, 'a'), WaveError::NotRiff},
        {"an AVI",
         [&] {
             Bytes b = good;
             b[8] = 'A';
             b[9] = 'V';
             b[10] = 'I';
             b[11] = ' ';
             return b;
         }(),
         WaveError::NotWave},
        {"truncated in the data", Bytes(good.begin(), good.end() - 5), WaveError::Truncated},
        {"RIFF size larger than the file", Riff().chunk("fmt ", fmtBody(f)).bytes(0xFFFFFFFFu), WaveError::Truncated},
        {"data chunk larger than the file", Riff().chunk("fmt ", fmtBody(f)).header("data", 0xFFFFFFF0u).bytes(),
         WaveError::ChunkOverrun},
        {"format chunk larger than the file", Riff().header("fmt ", 17).chunk("data", ramp(8)).bytes(),
         WaveError::ChunkOverrun},
        {"no format", Riff().chunk("data", ramp(8)).bytes(), WaveError::MissingFormat},
        {"no data", Riff().chunk("fmt ", fmtBody(f)).chunk("LIST", ramp(4)).bytes(), WaveError::MissingData},
        {"nothing but the form type", Riff().bytes(), WaveError::MissingFormat},
        {"short format", Riff().chunk("fmt ", shortFmt).chunk("data", ramp(8)).bytes(), WaveError::FormatTooShort},
        {"ADPCM", withFmt({2, 1, 11025, 4, 256}), WaveError::NotPcm},
        {"float", withFmt({3, 1, 44100, 32, 4}), WaveError::NotPcm},
        {"zero channels", withFmt({1, 0, 11025, 8, 1}), WaveError::BadChannelCount},
        {"six channels", withFmt({1, 6, 11025, 8, -1}), WaveError::BadChannelCount},
        {"zero rate", withFmt({1, 1, 0, 8, -1}), WaveError::BadSampleRate},
        {"absurd rate", withFmt({1, 1, 4000000, 8, -1}), WaveError::BadSampleRate},
        {"24 bits", withFmt({1, 1, 44100, 24, -1}), WaveError::BadBitsPerSample},
        {"zero bits", withFmt({1, 1, 44100, 0, 1}), WaveError::BadBitsPerSample},
        {"block size too small", withFmt({1, 2, 44100, 16, 2}), WaveError::BadBlockAlign},
        {"block size zero", withFmt({1, 1, 44100, 16, 0}), WaveError::BadBlockAlign},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const WaveImage w = readWave(c.file);
        EXPECT_EQ(w.error, c.error) << describe(w.error);
        EXPECT_FALSE(w.ok());
        EXPECT_TRUE(w.samples.empty());
        EXPECT_EQ(w.frameCount(), 0u);
    }
}

TEST(WaveReader, EveryPrefixOfAFileIsRefusedSafely) {
    Bytes disp{1, 0, 0, 0, 'a', 0, 'b'};
    const Bytes full =
        Riff().chunk("DISP", disp).chunk("fmt ", fmtBody({})).chunk("data", ramp(41)).chunk("LIST", ramp(9)).bytes();
    ASSERT_TRUE(readWave(full).ok());
    for (std::size_t n = 0; n < full.size(); ++n) {
        // A copy of just the prefix, so that reading past it would be caught.
        const Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        const WaveImage w = readWave(prefix);
        EXPECT_EQ(w.error, n < 12 ? WaveError::TooShort : WaveError::Truncated) << "prefix of " << n << " bytes";
    }
}

TEST(WaveReader, CorruptedBytesNeverYieldSamplesOutsideTheFile) {
    const Bytes original = Riff()
                               .chunk("LIST", ramp(13))
                               .chunk("fmt ", fmtBody({1, 2, 22050, 16, -1}))
                               .chunk("data", ramp(64))
                               .chunk("LIST", ramp(5))
                               .bytes();
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        Bytes b = original;
        const int flips = 1 + static_cast<int>(next() % 4);
        for (int i = 0; i < flips; ++i) b[next() % b.size()] = static_cast<std::uint8_t>(next());
        if (next() % 3 == 0) b.resize(next() % b.size());
        const WaveImage w = readWave(b);
        expectSane(w, b);
        if (w.ok()) {
            ++accepted;
            EXPECT_TRUE(w.format.channels == 1 || w.format.channels == 2);
            EXPECT_TRUE(w.format.bitsPerSample == 8 || w.format.bitsPerSample == 16);
        }
    }
    // Many corruptions touch only samples or extra chunks and stay playable.
    EXPECT_GT(accepted, 100);
}

}  // namespace
}  // namespace velmoran::audio
