// The ten programs: factory contents, selection and names.
#include <cstring>

#include "plugin/uPlugin.h"

namespace {

struct FactoryProgram {
    const char* name;
    float values[APlugin::kNumParams];
};

// Center, Width, Spread, Zindra Mix, Humidity, Hi-Res, Bypass, Zindra-cate!,
// Stereolize!, Pass Thru, Isolate, Spreadilate!
const FactoryProgram kFactory[APlugin::kNumPrograms] = {
    {"Vocal Out - Mode 1", {0.215f, 0.4f, 0.104f, 1, 1, 0, 0, 0, 1, 0, 0, 0}},
    {"Vocal Out - Mode 2", {0.215f, 0.4f, 0.104f, 1, 1, 0, 0, 0, 0, 1, 0, 1}},
    {"Full Spectrum", {0.515f, 1, 0.104f, 1, 1, 0, 0, 0, 1, 0, 0, 0}},
    {"Vocal Band Only", {0.215f, 0.4f, 0.104f, 1, 1, 0, 0, 0, 1, 0, 1, 0}},
    {"Isolate Vocal", {0.3875f, 0.75f, 0.152f, 1, 1, 0, 0, 1, 1, 0, 1, 1}},
    {"Vocal Out - Mode 1 (HR)", {0.215f, 0.4f, 0.104f, 1, 1, 1, 0, 0, 1, 0, 0, 0}},
    {"Vocal Out - Mode 2 (HR)", {0.215f, 0.4f, 0.104f, 1, 1, 1, 0, 0, 0, 1, 0, 1}},
    {"Full Spectrum (HR)", {0.515f, 1, 0.104f, 1, 1, 1, 0, 0, 1, 0, 0, 0}},
    {"Vocal Band Only (HR)", {0.215f, 0.4f, 0.104f, 1, 1, 1, 0, 0, 1, 0, 1, 0}},
    {"Isolate Vocal (HR)", {0.3875f, 0.75f, 0.152f, 1, 1, 1, 0, 1, 1, 0, 1, 1}},
};

constexpr size_t kMaxStoredName = 50;  // characters a program keeps
// What the interface grants a host for a program name, terminator included.
constexpr size_t kHostNameBuffer = kVstMaxProgNameLen;

void copyName(char* destination, const char* source, size_t maxCharacters) {
    size_t length = 0;
    while (length < maxCharacters && source[length] != '\0') ++length;
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

}  // namespace

APluginProgram::APluginProgram() {
    for (int i = 0; i < APlugin::kNumParams; ++i) fpar[i].store(kFactory[0].values[i]);
    std::memset(name, 0, sizeof name);
    std::memset(reserved, 0, sizeof reserved);
}

void APlugin::loadFactoryPrograms() {
    for (int p = 0; p < kNumPrograms; ++p) {
        for (int i = 0; i < kNumParams; ++i) programs[p].fpar[i].store(kFactory[p].values[i]);
        copyName(programs[p].name, kFactory[p].name, kMaxStoredName);
    }
}

void APlugin::setProgram(int32_t program) {
    if (program < 0 || program >= kNumPrograms || !programs) return;
    curProgram.store(program);
    for (int32_t i = 0; i < kNumParams; ++i) setParameter(i, programs[program].fpar[i].load());
    if (!editorClosed.load() && editor) editor->update();
}

void APlugin::setProgramName(char* name) {
    if (!name || !programs) return;
    copyName(programs[curProgram.load()].name, name, kMaxStoredName);
    if (!editorClosed.load() && editor) editor->update();
}

// Names go to hosts cut to the interface's program-name buffer; the program
// itself keeps the whole name.
void APlugin::getProgramName(char* name) {
    if (!name || !programs) return;
    copyName(name, programs[curProgram.load()].name, kHostNameBuffer - 1);
}

bool APlugin::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    if (index < 0 || index >= kNumPrograms || !programs) return false;
    if (text) copyName(text, programs[index].name, kHostNameBuffer - 1);
    return true;
}
