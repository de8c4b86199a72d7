// Counting and capitalising player names in UTF-8.
#include "players/names.h"

#include <cstdint>

namespace velmoran::players {

namespace {

struct Decoded {
    char32_t code = 0;
    std::size_t size = 0;  // bytes taken; 0 when the bytes are not well-formed UTF-8
};

constexpr bool isContinuation(unsigned char b) noexcept {
    return (b & 0xC0U) == 0x80U;
}

Decoded decode(std::string_view s, std::size_t at) {
    const auto lead = static_cast<unsigned char>(s[at]);
    std::size_t size = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead < 0x80U) return {lead, 1};
    if ((lead & 0xE0U) == 0xC0U) {
        size = 2, code = lead & 0x1FU, least = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        size = 3, code = lead & 0x0FU, least = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
        size = 4, code = lead & 0x07U, least = 0x10000;
    } else {
        return {};
    }
    if (at + size > s.size()) return {};
    for (std::size_t i = 1; i < size; ++i) {
        const auto b = static_cast<unsigned char>(s[at + i]);
        if (!isContinuation(b)) return {};
        code = (code << 6U) | (b & 0x3FU);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
    return {code, size};
}

void encode(std::string& out, char32_t c) {
    const auto byte = [&out](char32_t v) { out.push_back(static_cast<char>(static_cast<unsigned char>(v))); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0U | (c >> 6U));
        byte(0x80U | (c & 0x3FU));
    } else if (c < 0x10000) {
        byte(0xE0U | (c >> 12U));
        byte(0x80U | ((c >> 6U) & 0x3FU));
        byte(0x80U | (c & 0x3FU));
    } else {
        byte(0xF0U | (c >> 18U));
        byte(0x80U | ((c >> 12U) & 0x3FU));
        byte(0x80U | ((c >> 6U) & 0x3FU));
        byte(0x80U | (c & 0x3FU));
    }
}

char32_t upper(char32_t c) noexcept {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    // Latin-1: à to þ except ÷; ÿ rises out of the block; ß has no single capital.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c == 0xB5) return 0x39C;  // micro sign, as Greek mu
    // Latin Extended-A: pairs of capital then small, with three runs of the
    // other parity and a few letters without a partner.
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x131) return U'I';
        if (c == 0x17F) return U'S';
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x178) return c;
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddPairs) return (c % 2 == 0) ? c - 1 : c;
        return (c % 2 == 1) ? c - 1 : c;
    }
    // Greek: α to ω, with the final sigma as sigma; accented vowels.
    if (c == 0x3C2) return 0x3A3;
    if (c >= 0x3B1 && c <= 0x3C9) return c - 0x20;
    if (c >= 0x3CA && c <= 0x3CB) return c - 0x20;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    // Cyrillic: а to я, and ѐ to џ.
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

}  // namespace

std::size_t nameLength(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count) {
        const auto d = decode(utf8, at);
        at += d.size == 0 ? 1 : d.size;
    }
    return count;
}

std::string upperName(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    for (std::size_t at = 0; at < utf8.size();) {
        const auto d = decode(utf8, at);
        if (d.size == 0) {
            out.push_back(utf8[at]);  // a stray byte stays as it was
            ++at;
            continue;
        }
        encode(out, upper(d.code));
        at += d.size;
    }
    return out;
}

}  // namespace velmoran::players
