// ProgramBankOf: an effect's programs and the state format that carries them,
// for any effect that describes its format (see ZindraPrograms.h).
//
// A preset is one entry: magic, version, the values, the 51-byte name, the
// 256-byte reserved block and one spare byte. A bank is a magic and a version
// followed by one entry of the same size per program, of which only the
// values, name and reserved block are used. All integers and values are
// little-endian. These are the bytes every format stores, so one session's
// settings mean the same in each.
//
// Threads. Everything runs on the host's UI thread, except the value stores
// of a program (fpar), which follow parameter changes from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "core/LittleEndianBytes.h"

namespace core {

enum class StateKind { Preset, Bank };

// One program: the values and a name.
template <int32_t NumParams>
struct ProgramRecord {
    // Written through by every setParameter, which may run on any thread.
    std::atomic<float> fpar[NumParams];
    char name[51] = {};
    // Never interpreted; carried unchanged into and out of the state.
    uint8_t reserved[256] = {};
};

template <int32_t NumParams>
struct FactoryProgramOf {
    const char* name;
    float values[NumParams];
};

// What a Format provides:
//   using Program = ...;  (a ProgramRecord<kNumParams> or one derived from it)
//   static constexpr int32_t kNumParams, kNumPrograms;
//   static constexpr uint32_t kMagic, kVersion;
//   static constexpr FactoryProgramOf<kNumParams> kFactory[kNumPrograms];
//   static constexpr const char* kRefusals[5]: no header, wrong magic, wrong
//   version, wrong preset size, wrong bank size.
template <typename Format>
class ProgramBankOf {
public:
    using Program = typename Format::Program;
    static constexpr int32_t kNumPrograms = Format::kNumPrograms;
    static constexpr size_t kMaxStoredName = 50;  // characters a program keeps

private:
    static constexpr size_t kHeaderSize = 8;  // magic, version
    static constexpr size_t kValuesAt = kHeaderSize;
    static constexpr size_t kNameAt = kValuesAt + Format::kNumParams * 4;
    static constexpr size_t kReservedAt = kNameAt + sizeof Program::name;
    static constexpr size_t kEntrySize = kReservedAt + sizeof Program::reserved + 1;

public:
    static constexpr size_t kPresetSize = kEntrySize;
    static constexpr size_t kBankSize = kHeaderSize + kNumPrograms * kEntrySize;

    // The programs hold the factory contents; false from ready() when the
    // memory could not be had.
    ProgramBankOf()
        : programs(new (std::nothrow) Program[kNumPrograms]),
          presetBytes(new (std::nothrow) uint8_t[kPresetSize]()),
          bankBytes(new (std::nothrow) uint8_t[kBankSize]()) {
        if (!programs) return;
        for (int32_t p = 0; p < kNumPrograms; ++p) {
            for (int32_t i = 0; i < Format::kNumParams; ++i)
                programs[p].fpar[i].store(Format::kFactory[p].values[i]);
            rename(p, Format::kFactory[p].name);
        }
    }
    bool ready() const { return programs && presetBytes && bankBytes; }

    Program& program(int32_t index) { return programs[index]; }
    const Program& program(int32_t index) const { return programs[index]; }
    static bool valid(int32_t index) { return index >= 0 && index < kNumPrograms; }

    // Names are cut to maxCharacters (at most kMaxStoredName are kept).
    void rename(int32_t index, const char* name) {
        copyText(programs[index].name, name, kMaxStoredName);
    }
    void copyName(int32_t index, char* destination, size_t maxCharacters) const {
        copyText(destination, programs[index].name, maxCharacters);
    }

    // The state of program `current` (a preset) or of the whole bank, built
    // in the bank's own buffer of that kind; valid until the next request
    // of the same kind. The writer fills only the fields it owns, so every
    // other byte keeps what the last accepted state of the same kind put
    // there (zero in a new bank).
    const uint8_t* save(StateKind kind, int32_t current, size_t& size) {
        if (kind == StateKind::Preset) {
            LittleEndianWriter chunk(presetBytes.get(), kPresetSize);
            writeHeader(chunk);
            writeEntry(chunk, 0, programs[current]);
            size = kPresetSize;
            return presetBytes.get();
        }
        LittleEndianWriter chunk(bankBytes.get(), kBankSize);
        writeHeader(chunk);
        for (int32_t p = 0; p < kNumPrograms; ++p) writeEntry(chunk, bankEntryAt(p), programs[p]);
        size = kBankSize;
        return bankBytes.get();
    }

    // Takes a preset (into program `current`) or a bank. Null when accepted;
    // otherwise the message for the user, and nothing changes. data may be
    // the very buffer save gave out.
    const char* load(StateKind kind, const uint8_t* data, size_t size, int32_t current) {
        const bool isPreset = kind == StateKind::Preset;
        if (const char* message = refusal(data, size, isPreset)) return message;
        // Hosts often hand back the very buffer save gave them, so the copy
        // must allow source and destination to be the same.
        if (isPreset) {
            std::memmove(presetBytes.get(), data, kPresetSize);
            readEntry(LittleEndianReader(presetBytes.get(), kPresetSize), 0, programs[current]);
        } else {
            std::memmove(bankBytes.get(), data, kBankSize);
            const LittleEndianReader chunk(bankBytes.get(), kBankSize);
            for (int32_t p = 0; p < kNumPrograms; ++p)
                readEntry(chunk, bankEntryAt(p), programs[p]);
        }
        return nullptr;
    }

    // [any thread] The last accepted or saved state of each kind, as it lies
    // in the buffer (for inspection).
    const uint8_t* presetBuffer() const { return presetBytes.get(); }
    const uint8_t* bankBuffer() const { return bankBytes.get(); }
    // [ui thread] Zeroes both buffers, as they are in a new bank (for tools
    // that reuse one effect as if it were new).
    void clearStateBuffers() {
        std::memset(presetBytes.get(), 0, kPresetSize);
        std::memset(bankBytes.get(), 0, kBankSize);
    }

private:
    static void copyText(char* destination, const char* source, size_t maxCharacters) {
        size_t length = 0;
        while (length < maxCharacters && source[length] != '\0') ++length;
        std::memcpy(destination, source, length);
        destination[length] = '\0';
    }

    static constexpr size_t bankEntryAt(int32_t program) {
        return kHeaderSize + static_cast<size_t>(program) * kEntrySize;
    }

    static void writeHeader(LittleEndianWriter& chunk) {
        chunk.writeUint32(0, Format::kMagic);
        chunk.writeUint32(4, Format::kVersion);
    }

    static void writeEntry(LittleEndianWriter& chunk, size_t entryAt, const Program& program) {
        for (int32_t i = 0; i < Format::kNumParams; ++i)
            chunk.writeFloat(entryAt + kValuesAt + 4 * static_cast<size_t>(i),
                             program.fpar[i].load());
        chunk.writeBytes(entryAt + kNameAt, program.name, sizeof program.name);
        chunk.writeBytes(entryAt + kReservedAt, program.reserved, sizeof program.reserved);
    }

    static void readEntry(const LittleEndianReader& chunk, size_t entryAt, Program& program) {
        for (int32_t i = 0; i < Format::kNumParams; ++i) {
            float value = 0.0f;
            if (chunk.readFloat(entryAt + kValuesAt + 4 * static_cast<size_t>(i), value))
                program.fpar[i].store(value);
        }
        chunk.readBytes(entryAt + kNameAt, program.name, sizeof program.name);
        chunk.readBytes(entryAt + kReservedAt, program.reserved, sizeof program.reserved);
    }

    // The message for a state the effect must refuse, or null when it is
    // sound. A missing block counts as too short: there is nothing to read.
    static const char* refusal(const uint8_t* data, size_t byteSize, bool isPreset) {
        if (!data || byteSize < kHeaderSize) return Format::kRefusals[0];
        const LittleEndianReader chunk(data, byteSize);
        uint32_t magic = 0;
        if (!chunk.readUint32(0, magic) || magic != Format::kMagic) return Format::kRefusals[1];
        uint32_t version = 0;
        if (!chunk.readUint32(4, version) || version != Format::kVersion)
            return Format::kRefusals[2];
        if (isPreset && byteSize != kPresetSize) return Format::kRefusals[3];
        if (!isPreset && byteSize != kBankSize) return Format::kRefusals[4];
        return nullptr;
    }

    std::unique_ptr<Program[]> programs;
    std::unique_ptr<uint8_t[]> presetBytes;
    std::unique_ptr<uint8_t[]> bankBytes;
};

}  // namespace core
