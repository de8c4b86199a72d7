#pragma once
// Reads a RIFF WAVE image held in memory: walks its chunk list, takes the
// format and the sample data, and refuses anything the cue player cannot
// play. The reader never copies the samples and never reads outside the
// buffer it is given, whatever the bytes say.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace velmoran::audio {

enum class WaveError : std::uint8_t {
    None,
    TooShort,          // fewer bytes than a RIFF header
    NotRiff,           // does not start with "RIFF"
    NotWave,           // a RIFF file of another form type
    Truncated,         // the RIFF size promises more bytes than there are
    ChunkOverrun,      // a chunk's size runs past the end of the RIFF body
    MissingFormat,     // no "fmt " chunk
    MissingData,       // no "data" chunk
    FormatTooShort,    // "fmt " chunk smaller than a PCM format record
    NotPcm,            // compressed or floating-point samples
    BadChannelCount,   // neither mono nor stereo
    BadSampleRate,     // zero or beyond what an audio output takes
    BadBitsPerSample,  // neither 8 nor 16 bits
    BadBlockAlign,     // block size disagrees with channels and bits
};

// A short English reason, for logs and test output.
[[nodiscard]] std::string_view describe(WaveError e) noexcept;

struct WaveFormat {
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;

    [[nodiscard]] constexpr std::uint32_t bytesPerFrame() const noexcept {
        return static_cast<std::uint32_t>(channels) * (bitsPerSample / 8u);
    }
    friend constexpr bool operator==(const WaveFormat&, const WaveFormat&) = default;
};

struct WaveImage {
    WaveError error = WaveError::None;
    WaveFormat format;
    // Whole frames only, pointing into the buffer given to readWave: 8-bit
    // samples unsigned, 16-bit samples signed little-endian, channels
    // interleaved.
    std::span<const std::uint8_t> samples;

    [[nodiscard]] bool ok() const noexcept { return error == WaveError::None; }
    [[nodiscard]] std::size_t frameCount() const noexcept {
        const auto per = format.bytesPerFrame();
        return per == 0 ? 0 : samples.size() / per;
    }
    [[nodiscard]] double seconds() const noexcept {
        return format.sampleRate == 0 ? 0.0 : static_cast<double>(frameCount()) / format.sampleRate;
    }
};

// The lowest and highest sample rates accepted.
inline constexpr std::uint32_t kMinSampleRate = 1000;
inline constexpr std::uint32_t kMaxSampleRate = 192000;

[[nodiscard]] WaveImage readWave(std::span<const std::uint8_t> bytes) noexcept;

}  // namespace velmoran::audio
