#include "app/SampleDataSize.h"

#include <cstring>
#include <fstream>

namespace {

uint32_t littleEndian(const unsigned char* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

uint32_t bigEndian(const unsigned char* b) {
    return (static_cast<uint32_t>(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
}

}  // namespace

std::optional<SampleDataSize> sampleDataSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const auto length = static_cast<int64_t>(in.tellg());
    in.seekg(0);
    unsigned char header[12];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    const bool wav = std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
    const bool aiff =
        std::memcmp(header, "FORM", 4) == 0 &&
        (std::memcmp(header + 8, "AIFF", 4) == 0 || std::memcmp(header + 8, "AIFC", 4) == 0);
    if (!wav && !aiff) return std::nullopt;
    // The chunks follow one another, each an ID and a size, padded to even.
    int64_t at = 12;
    unsigned char chunk[8];
    while (at + 8 <= length) {
        in.seekg(at);
        if (!in.read(reinterpret_cast<char*>(chunk), sizeof chunk)) return std::nullopt;
        const int64_t size = wav ? littleEndian(chunk + 4) : bigEndian(chunk + 4);
        if (std::memcmp(chunk, wav ? "data" : "SSND", 4) == 0) {
            // Writers that stream leave the size unknown: 0 or all ones.
            if (size == 0 || size == 0xFFFFFFFF) return std::nullopt;
            // An AIFF sound chunk starts with an offset and a block size.
            const int64_t skip = aiff ? 8 : 0;
            return SampleDataSize{size - skip, length - at - 8 - skip};
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}
