// Preset and bank chunks: the plug-in's own format for the host to store.
//
// A preset is one entry: magic, version, the twelve values, the 51-byte name,
// the 256-byte reserved block and one spare byte. A bank is a magic and a
// version followed by ten entries of the same size, of which only the values,
// name and reserved block are used. All integers and values are little-endian.
//
// Both buffers belong to the effect and live as long as it does. The writer
// fills only the fields it owns, so every other byte keeps what the last
// accepted chunk of the same kind put there (zero in a new instance).
#include <cstring>
#include <new>

#include "host/DVstUtils.h"
#include "host/Messages.h"
#include "plugin/LittleEndianBytes.h"
#include "plugin/uPlugin.h"

namespace {

constexpr uint32_t kMagic = static_cast<uint32_t>(makeFourCC('Z', 'Q', '7', 'N'));
constexpr uint32_t kVersion = 4;

constexpr size_t kHeaderSize = 8;  // magic, version
constexpr size_t kValuesSize = APlugin::kNumParams * 4;
constexpr size_t kNameSize = sizeof APluginProgram::name;
constexpr size_t kReservedSize = sizeof APluginProgram::reserved;

// Field offsets inside one entry.
constexpr size_t kValuesAt = kHeaderSize;
constexpr size_t kNameAt = kValuesAt + kValuesSize;
constexpr size_t kReservedAt = kNameAt + kNameSize;
constexpr size_t kEntrySize = kReservedAt + kReservedSize + 1;

constexpr size_t kPresetSize = kEntrySize;
constexpr size_t kBankSize = kHeaderSize + APlugin::kNumPrograms * kEntrySize;
static_assert(kNameAt == 56 && kReservedAt == 107 && kPresetSize == 364 && kBankSize == 3648);

constexpr size_t bankEntryAt(int32_t program) {
    return kHeaderSize + static_cast<size_t>(program) * kEntrySize;
}

void writeHeader(LittleEndianWriter& chunk) {
    chunk.writeUint32(0, kMagic);
    chunk.writeUint32(4, kVersion);
}

void writeEntry(LittleEndianWriter& chunk, size_t entryAt, const APluginProgram& program) {
    for (int32_t i = 0; i < APlugin::kNumParams; ++i)
        chunk.writeFloat(entryAt + kValuesAt + 4 * static_cast<size_t>(i), program.fpar[i].load());
    chunk.writeBytes(entryAt + kNameAt, program.name, kNameSize);
    chunk.writeBytes(entryAt + kReservedAt, program.reserved, kReservedSize);
}

void readEntry(const LittleEndianReader& chunk, size_t entryAt, APluginProgram& program) {
    for (int32_t i = 0; i < APlugin::kNumParams; ++i) {
        float value = 0.0f;
        if (chunk.readFloat(entryAt + kValuesAt + 4 * static_cast<size_t>(i), value))
            program.fpar[i].store(value);
    }
    chunk.readBytes(entryAt + kNameAt, program.name, kNameSize);
    chunk.readBytes(entryAt + kReservedAt, program.reserved, kReservedSize);
}

// The message for a chunk the effect must refuse, or null when it is sound.
// A missing block counts as too short: there is nothing to read.
const char* refusal(const uint8_t* data, int32_t byteSize, bool isPreset) {
    if (!data || byteSize < static_cast<int32_t>(kHeaderSize))
        return "E1 - Not a valid Zindra preset.";
    const LittleEndianReader chunk(data, static_cast<size_t>(byteSize));
    uint32_t magic = 0;
    if (!chunk.readUint32(0, magic) || magic != kMagic) return "E2 - Not a valid Zindra preset.";
    uint32_t version = 0;
    if (!chunk.readUint32(4, version) || version != kVersion)
        return "E3 - Wrong version of Zindra preset.";
    if (isPreset && byteSize != static_cast<int32_t>(kPresetSize))
        return "E4 - Not a valid Zindra preset.";
    if (!isPreset && byteSize != static_cast<int32_t>(kBankSize))
        return "E5 - Not a valid Zindra bank.";
    return nullptr;
}

}  // namespace

void APlugin::allocateProgramsAndChunks() {
    programs.reset(new (std::nothrow) APluginProgram[kNumPrograms]);
    presetChunk.reset(new (std::nothrow) uint8_t[kPresetSize]());
    bankChunk.reset(new (std::nothrow) uint8_t[kBankSize]());
    if (programs && presetChunk && bankChunk) return;
    messages::report("Not enough memory.", "Zindra");
    allocated = false;
}

int32_t APlugin::getChunk(void** data, bool isPreset) {
    if (!data || !programs || !presetChunk || !bankChunk) return 0;
    if (isPreset) {
        LittleEndianWriter chunk(presetChunk.get(), kPresetSize);
        writeHeader(chunk);
        writeEntry(chunk, 0, programs[curProgram.load()]);
        *data = presetChunk.get();
        return static_cast<int32_t>(kPresetSize);
    }
    LittleEndianWriter chunk(bankChunk.get(), kBankSize);
    writeHeader(chunk);
    for (int32_t p = 0; p < kNumPrograms; ++p) writeEntry(chunk, bankEntryAt(p), programs[p]);
    *data = bankChunk.get();
    return static_cast<int32_t>(kBankSize);
}

int32_t APlugin::setChunk(void* data, int32_t byteSize, bool isPreset) {
    if (!programs || !presetChunk || !bankChunk) return 1;
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (const char* message = refusal(bytes, byteSize, isPreset)) {
        messages::report(message);
        return 1;
    }
    // Hosts often hand back the very buffer getChunk gave them, so the copy
    // must allow source and destination to be the same.
    if (isPreset) {
        std::memmove(presetChunk.get(), bytes, kPresetSize);
        readEntry(LittleEndianReader(presetChunk.get(), kPresetSize), 0,
                  programs[curProgram.load()]);
    } else {
        std::memmove(bankChunk.get(), bytes, kBankSize);
        const LittleEndianReader chunk(bankChunk.get(), kBankSize);
        for (int32_t p = 0; p < kNumPrograms; ++p) readEntry(chunk, bankEntryAt(p), programs[p]);
    }
    setProgram(curProgram.load());
    return 1;
}
