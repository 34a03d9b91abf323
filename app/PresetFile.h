// The preset (.fxp) and bank (.fxb) files that VST 2 hosts write: a
// big-endian container around either the effect's opaque chunk or a plain
// list of parameter values. Decoding checks every size before it reads.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct PresetFile {
    enum class Kind { Program, Bank };
    Kind kind = Kind::Program;
    bool opaque = true;    // the effect's chunk, or else parameter values
    int32_t effectID = 0;  // the effect's unique ID
    int32_t effectVersion = 1;
    int32_t count = 0;                 // parameters (program) or programs (bank)
    std::string name;                  // program only, at most 27 characters
    int32_t currentProgram = -1;       // bank only; -1 when the file does not say
    std::vector<uint8_t> chunk;        // opaque only
    std::vector<float> values;         // parameter list of a program
    std::vector<PresetFile> programs;  // parameter lists of a bank
};

// A file that is not a well-formed preset or bank; what() says what is wrong.
struct PresetFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<uint8_t> encodePresetFile(const PresetFile& file);
PresetFile decodePresetFile(const std::vector<uint8_t>& bytes);
// Whether the bytes begin as every preset and bank file does.
bool startsLikePresetFile(const std::vector<uint8_t>& head);

// Four-character code as text, unprintable characters shown as '?'.
std::string fourCCText(int32_t code);
