#include "shell/audio/wave_reader.h"

#include <algorithm>
#include <array>
#include <optional>

namespace velmoran::audio {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kPcmFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;
constexpr std::uint16_t kTagPcm = 0x0001;
constexpr std::uint16_t kTagExtensible = 0xFFFE;

// The sub-format GUID of integer PCM after its first two bytes, which carry
// the format tag.
constexpr std::array<std::uint8_t, 14> kPcmGuidTail{0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                    0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t le16(Bytes b, std::size_t at) noexcept {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t le32(Bytes b, std::size_t at) noexcept {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool isTag(Bytes b, std::size_t at, std::string_view tag) noexcept {
    return std::equal(tag.begin(), tag.end(), b.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t u) { return static_cast<std::uint8_t>(c) == u; });
}

WaveError checkFormat(Bytes fmt, WaveFormat& out) noexcept {
    if (fmt.size() < kPcmFormatSize) return WaveError::FormatTooShort;
    const std::uint16_t tag = le16(fmt, 0);
    const std::uint16_t channels = le16(fmt, 2);
    const std::uint32_t rate = le32(fmt, 4);
    const std::uint16_t blockAlign = le16(fmt, 12);
    const std::uint16_t bits = le16(fmt, 14);

    if (tag == kTagExtensible) {
        // The extensible record names its real sample format in a GUID;
        // only integer PCM with every container bit in use is plain PCM.
        if (fmt.size() < kExtensibleFormatSize || le16(fmt, 16) < 22) return WaveError::FormatTooShort;
        if (le16(fmt, 24) != kTagPcm || !std::equal(kPcmGuidTail.begin(), kPcmGuidTail.end(), fmt.begin() + 26))
            return WaveError::NotPcm;
        if (le16(fmt, 18) != bits) return WaveError::BadBitsPerSample;
    } else if (tag != kTagPcm) {
        return WaveError::NotPcm;
    }

    if (channels != 1 && channels != 2) return WaveError::BadChannelCount;
    if (rate < kMinSampleRate || rate > kMaxSampleRate) return WaveError::BadSampleRate;
    if (bits != 8 && bits != 16) return WaveError::BadBitsPerSample;
    out = WaveFormat{channels, rate, bits};
    // The block size is what the frames are cut by; a header that disagrees
    // with its own channels and bits cannot be trusted with the layout.
    if (blockAlign != out.bytesPerFrame()) return WaveError::BadBlockAlign;
    return WaveError::None;
}

}  // namespace

std::string_view describe(WaveError e) noexcept {
    switch (e) {
        case WaveError::None:
            return "no error";
        case WaveError::TooShort:
            return "too short for a RIFF header";
        case WaveError::NotRiff:
            return "not a RIFF file";
        case WaveError::NotWave:
            return "a RIFF file that is not WAVE";
        case WaveError::Truncated:
            return "truncated: the RIFF size exceeds the bytes present";
        case WaveError::ChunkOverrun:
            return "a chunk runs past the end of the file";
        case WaveError::MissingFormat:
            return "no format chunk";
        case WaveError::MissingData:
            return "no data chunk";
        case WaveError::FormatTooShort:
            return "format chunk too short";
        case WaveError::NotPcm:
            return "not uncompressed integer PCM";
        case WaveError::BadChannelCount:
            return "neither mono nor stereo";
        case WaveError::BadSampleRate:
            return "sample rate out of range";
        case WaveError::BadBitsPerSample:
            return "neither 8 nor 16 bits per sample";
        case WaveError::BadBlockAlign:
            return "block size disagrees with channels and bits";
    }
    return "unknown error";
}

WaveImage readWave(Bytes bytes) noexcept {
    WaveImage image;
    auto fail = [&image](WaveError e) {
        image = WaveImage{};
        image.error = e;
        return image;
    };

    if (bytes.size() < 12) return fail(WaveError::TooShort);
    if (!isTag(bytes, 0, "RIFF")) return fail(WaveError::NotRiff);
    if (!isTag(bytes, 8, "WAVE")) return fail(WaveError::NotWave);

    // Bytes after the RIFF body (some tools append junk) are ignored.
    const std::size_t riffSize = le32(bytes, 4);
    if (riffSize < 4) return fail(WaveError::TooShort);
    if (riffSize > bytes.size() - kChunkHeader) return fail(WaveError::Truncated);
    const std::size_t end = kChunkHeader + riffSize;

    std::optional<Bytes> fmt;
    std::optional<Bytes> data;
    std::size_t at = 12;
    // A tail shorter than a chunk header is padding and ends the list.
    while (end - at >= kChunkHeader) {
        const std::size_t size = le32(bytes, at + 4);
        const std::size_t bodyAt = at + kChunkHeader;
        if (size > end - bodyAt) return fail(WaveError::ChunkOverrun);
        const Bytes body = bytes.subspan(bodyAt, size);
        // The first of each wins; a second "fmt " or "data" is ignored.
        if (isTag(bytes, at, "fmt ")) {
            if (!fmt) fmt = body;
        } else if (isTag(bytes, at, "data")) {
            if (!data) data = body;
        }
        // Chunks are word aligned: an odd size is followed by a pad byte,
        // which a last chunk may lack.
        at = bodyAt + size;
        if (size % 2 != 0 && at < end) ++at;
    }

    if (!fmt) return fail(WaveError::MissingFormat);
    if (const WaveError e = checkFormat(*fmt, image.format); e != WaveError::None) return fail(e);
    if (!data) return fail(WaveError::MissingData);

    // A partial frame at the end of the data cannot be played and is dropped.
    const std::size_t per = image.format.bytesPerFrame();
    image.samples = data->first(data->size() - data->size() % per);
    return image;
}

}  // namespace velmoran::audio
