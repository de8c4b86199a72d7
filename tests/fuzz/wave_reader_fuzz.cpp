// libFuzzer target for the WAVE reader: whatever the bytes, it must return
// without reading outside them, and anything it accepts must be playable.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "shell/audio/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read
    // past the end.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const auto image = velmoran::audio::readWave(bytes);
    if (!image.ok()) {
        if (!image.samples.empty()) __builtin_trap();
        return 0;
    }
    const auto& f = image.format;
    if (f.channels != 1 && f.channels != 2) __builtin_trap();
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) __builtin_trap();
    if (f.sampleRate < velmoran::audio::kMinSampleRate || f.sampleRate > velmoran::audio::kMaxSampleRate)
        __builtin_trap();
    if (image.samples.size() % f.bytesPerFrame() != 0) __builtin_trap();
    if (!image.samples.empty()) {
        const std::uint8_t* begin = bytes.data();
        if (image.samples.data() < begin + 12 || image.samples.data() + image.samples.size() > begin + bytes.size())
            __builtin_trap();
        // Touch every sample, first and last included.
        volatile std::uint8_t sink = 0;
        for (std::uint8_t b : image.samples) sink = static_cast<std::uint8_t>(sink ^ b);
    }
    return 0;
}
