// Bounded access to a block of bytes holding little-endian 32-bit integers,
// IEEE single-precision values and raw runs, independent of the processor's
// own byte order. Every access checks that the whole field lies inside the
// block before touching it; a field that does not fit is neither read nor
// written and the call answers false.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// True when count bytes from offset lie inside a block of blockSize bytes.
constexpr bool fieldFits(size_t blockSize, size_t offset, size_t count) {
    return offset <= blockSize && count <= blockSize - offset;
}

class LittleEndianReader {
public:
    LittleEndianReader(const uint8_t* block, size_t blockSize)
        : data(block), size(block ? blockSize : 0) {}

    bool readUint32(size_t offset, uint32_t& value) const {
        if (!fieldFits(size, offset, 4)) return false;
        const uint8_t* p = data + offset;
        value = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        return true;
    }

    bool readFloat(size_t offset, float& value) const {
        uint32_t bits = 0;
        if (!readUint32(offset, bits)) return false;
        value = std::bit_cast<float>(bits);
        return true;
    }

    bool readBytes(size_t offset, void* destination, size_t count) const {
        if (!fieldFits(size, offset, count)) return false;
        std::memcpy(destination, data + offset, count);
        return true;
    }

private:
    const uint8_t* data;
    size_t size;
};

class LittleEndianWriter {
public:
    LittleEndianWriter(uint8_t* block, size_t blockSize)
        : data(block), size(block ? blockSize : 0) {}

    bool writeUint32(size_t offset, uint32_t value) {
        if (!fieldFits(size, offset, 4)) return false;
        uint8_t* p = data + offset;
        p[0] = static_cast<uint8_t>(value);
        p[1] = static_cast<uint8_t>(value >> 8);
        p[2] = static_cast<uint8_t>(value >> 16);
        p[3] = static_cast<uint8_t>(value >> 24);
        return true;
    }

    bool writeFloat(size_t offset, float value) {
        return writeUint32(offset, std::bit_cast<uint32_t>(value));
    }

    bool writeBytes(size_t offset, const void* source, size_t count) {
        if (!fieldFits(size, offset, count)) return false;
        std::memcpy(data + offset, source, count);
        return true;
    }

private:
    uint8_t* data;
    size_t size;
};
