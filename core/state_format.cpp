// The state format: presets and banks as bytes (see ProgramBank.h).
#include <cstring>
#include <new>

#include "core/LittleEndianBytes.h"
#include "core/ProgramBank.h"
#include "core/ZindraIdentity.h"

namespace core {
namespace {

constexpr uint32_t kMagic = static_cast<uint32_t>(zindra::kUniqueId);
constexpr uint32_t kVersion = 4;

constexpr size_t kHeaderSize = 8;  // magic, version
constexpr size_t kValuesSize = zindra::kNumParams * 4;
constexpr size_t kNameSize = sizeof APluginProgram::name;
constexpr size_t kReservedSize = sizeof APluginProgram::reserved;

// Field offsets inside one entry.
constexpr size_t kValuesAt = kHeaderSize;
constexpr size_t kNameAt = kValuesAt + kValuesSize;
constexpr size_t kReservedAt = kNameAt + kNameSize;
constexpr size_t kEntrySize = kReservedAt + kReservedSize + 1;

constexpr size_t kPresetSize = kEntrySize;
constexpr size_t kBankSize = kHeaderSize + ProgramBank::kNumPrograms * kEntrySize;
static_assert(kNameAt == 56 && kReservedAt == 107 && kPresetSize == ProgramBank::kPresetSize &&
              kBankSize == ProgramBank::kBankSize);

constexpr size_t bankEntryAt(int32_t program) {
    return kHeaderSize + static_cast<size_t>(program) * kEntrySize;
}

void writeHeader(LittleEndianWriter& chunk) {
    chunk.writeUint32(0, kMagic);
    chunk.writeUint32(4, kVersion);
}

void writeEntry(LittleEndianWriter& chunk, size_t entryAt, const APluginProgram& program) {
    for (int32_t i = 0; i < zindra::kNumParams; ++i)
        chunk.writeFloat(entryAt + kValuesAt + 4 * static_cast<size_t>(i), program.fpar[i].load());
    chunk.writeBytes(entryAt + kNameAt, program.name, kNameSize);
    chunk.writeBytes(entryAt + kReservedAt, program.reserved, kReservedSize);
}

void readEntry(const LittleEndianReader& chunk, size_t entryAt, APluginProgram& program) {
    for (int32_t i = 0; i < zindra::kNumParams; ++i) {
        float value = 0.0f;
        if (chunk.readFloat(entryAt + kValuesAt + 4 * static_cast<size_t>(i), value))
            program.fpar[i].store(value);
    }
    chunk.readBytes(entryAt + kNameAt, program.name, kNameSize);
    chunk.readBytes(entryAt + kReservedAt, program.reserved, kReservedSize);
}

// The message for a chunk the effect must refuse, or null when it is sound.
// A missing block counts as too short: there is nothing to read.
const char* refusal(const uint8_t* data, size_t byteSize, bool isPreset) {
    if (!data || byteSize < kHeaderSize) return "E1 - Not a valid Zindra preset.";
    const LittleEndianReader chunk(data, byteSize);
    uint32_t magic = 0;
    if (!chunk.readUint32(0, magic) || magic != kMagic) return "E2 - Not a valid Zindra preset.";
    uint32_t version = 0;
    if (!chunk.readUint32(4, version) || version != kVersion)
        return "E3 - Wrong version of Zindra preset.";
    if (isPreset && byteSize != kPresetSize) return "E4 - Not a valid Zindra preset.";
    if (!isPreset && byteSize != kBankSize) return "E5 - Not a valid Zindra bank.";
    return nullptr;
}

}  // namespace

const uint8_t* ProgramBank::save(StateKind kind, int32_t current, size_t& size) {
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

const char* ProgramBank::load(StateKind kind, const uint8_t* bytes, size_t size, int32_t current) {
    const bool isPreset = kind == StateKind::Preset;
    if (const char* message = refusal(bytes, size, isPreset)) return message;
    // Hosts often hand back the very buffer save gave them, so the copy
    // must allow source and destination to be the same.
    if (isPreset) {
        std::memmove(presetBytes.get(), bytes, kPresetSize);
        readEntry(LittleEndianReader(presetBytes.get(), kPresetSize), 0, programs[current]);
    } else {
        std::memmove(bankBytes.get(), bytes, kBankSize);
        const LittleEndianReader chunk(bankBytes.get(), kBankSize);
        for (int32_t p = 0; p < kNumPrograms; ++p) readEntry(chunk, bankEntryAt(p), programs[p]);
    }
    return nullptr;
}

}  // namespace core
