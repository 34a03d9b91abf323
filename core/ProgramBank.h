// ProgramBank: Zindra's ten programs and the state format that carries them.
//
// A preset is one entry: magic, version, the twelve values, the 51-byte name,
// the 256-byte reserved block and one spare byte (364 bytes). A bank is a
// magic and a version followed by ten entries of the same size, of which only
// the values, name and reserved block are used (3648 bytes). All integers and
// values are little-endian. These are the bytes VST 2 chunks, the LV2 state
// and every other format store, so one session's settings mean the same in
// each.
//
// Threads. Everything runs on the host's UI thread, except the value stores
// of a program (fpar), which follow parameter changes from any thread.
#pragma once

#include <cstdint>
#include <memory>

#include "core/APluginProgram.h"

namespace core {

enum class StateKind { Preset, Bank };

class ProgramBank {
public:
    static constexpr int32_t kNumPrograms = 10;
    static constexpr size_t kMaxStoredName = 50;  // characters a program keeps
    static constexpr size_t kPresetSize = 364;
    static constexpr size_t kBankSize = 3648;

    // The programs hold the factory contents; false from ready() when the
    // memory could not be had.
    ProgramBank();
    bool ready() const { return programs && presetBytes && bankBytes; }

    APluginProgram& program(int32_t index) { return programs[index]; }
    const APluginProgram& program(int32_t index) const { return programs[index]; }
    static bool valid(int32_t index) { return index >= 0 && index < kNumPrograms; }

    // Names are cut to maxCharacters (at most kMaxStoredName are kept).
    void rename(int32_t index, const char* name);
    void copyName(int32_t index, char* destination, size_t maxCharacters) const;

    // The state of program `current` (a preset) or of the whole bank, built
    // in the bank's own buffer of that kind; valid until the next request
    // of the same kind. The writer fills only the fields it owns, so every
    // other byte keeps what the last accepted state of the same kind put
    // there (zero in a new bank).
    const uint8_t* save(StateKind kind, int32_t current, size_t& size);
    // Takes a preset (into program `current`) or a bank. Null when accepted;
    // otherwise the message for the user, and nothing changes. data may be
    // the very buffer save gave out.
    const char* load(StateKind kind, const uint8_t* data, size_t size, int32_t current);

    // [any thread] The last accepted or saved state of each kind, as it lies
    // in the buffer (for inspection).
    const uint8_t* presetBuffer() const { return presetBytes.get(); }
    const uint8_t* bankBuffer() const { return bankBytes.get(); }
    // [ui thread] Zeroes both buffers, as they are in a new bank (for tools
    // that reuse one effect as if it were new).
    void clearStateBuffers();

private:
    void loadFactoryPrograms();

    std::unique_ptr<APluginProgram[]> programs;
    std::unique_ptr<uint8_t[]> presetBytes;
    std::unique_ptr<uint8_t[]> bankBytes;
};

}  // namespace core
