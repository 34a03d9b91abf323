#include "app/HostedPlugin.h"

#include <cstring>
#include <stdexcept>

namespace {

// The rate the next effect will be told while main runs, before its record
// (and so its user field) exists.
thread_local float rateDuringConstruction = 44100.0f;

}  // namespace

HostedPlugin::HostedPlugin(const std::string& libraryPath, float sampleRate) : rate(sampleRate) {
    // An empty name would load the running program itself.
    if (libraryPath.empty())
        throw std::runtime_error("no plug-in library given (--plugin names one)");
    library = std::make_unique<platform::DynamicLibrary>(libraryPath);
    if (!library->loaded())
        throw std::runtime_error(libraryPath + ": cannot load the plug-in library (" +
                                 library->error() + ")");
    auto entry = reinterpret_cast<VstEntryProc>(library->symbol("main"));
    if (!entry) entry = reinterpret_cast<VstEntryProc>(library->symbol("VSTPluginMain"));
    if (!entry)
        throw std::runtime_error(libraryPath + " is not a VST 2 plug-in (no entry function)");
    rateDuringConstruction = sampleRate;
    effect = entry(hostCallback);
    if (!effect || effect->magic != kEffectMagic) {
        effect = nullptr;
        throw std::runtime_error(libraryPath + " is not a VST 2 plug-in (no effect record)");
    }
    effect->user = this;
    send(effOpen);
    send(effSetSampleRate, 0, 0, nullptr, sampleRate);
}

HostedPlugin::~HostedPlugin() {
    if (effect) {
        send(effMainsChanged, 0, 0);
        send(effClose);
    }
}

intptr_t HostedPlugin::send(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string HostedPlugin::text(int32_t opcode, int32_t index) {
    // Generous room: some effects write more than the interface grants.
    char buffer[512];
    std::memset(buffer, 0, sizeof buffer);
    send(opcode, index, 0, buffer);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

void HostedPlugin::start(int32_t maxBlockSize) {
    block = maxBlockSize;
    send(effSetBlockSize, 0, maxBlockSize);
    send(effMainsChanged, 0, 1);
}

std::vector<std::string> HostedPlugin::programNames() {
    std::vector<std::string> names;
    for (int32_t i = 0; i < effect->numPrograms; ++i) {
        char buffer[512] = {};
        if (!send(effGetProgramNameIndexed, i, 0, buffer)) {
            // Effects without indexed names: select the program and ask.
            const int32_t current = program();
            setProgram(i);
            send(effGetProgramName, 0, 0, buffer);
            setProgram(current);
        }
        buffer[sizeof buffer - 1] = '\0';
        names.emplace_back(buffer);
    }
    return names;
}

std::vector<std::string> HostedPlugin::parameterNames() {
    std::vector<std::string> names;
    for (int32_t i = 0; i < effect->numParams; ++i) names.push_back(text(effGetParamName, i));
    return names;
}

std::vector<uint8_t> HostedPlugin::chunk(bool preset) {
    void* data = nullptr;
    const intptr_t size = send(effGetChunk, preset ? 1 : 0, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

void HostedPlugin::setChunk(std::vector<uint8_t> data, bool preset) {
    send(effSetChunk, preset ? 1 : 0, static_cast<intptr_t>(data.size()), data.data());
}

void HostedPlugin::process(float** inputs, float** outputs, int32_t frames) {
    if (effect->flags & effFlagsCanReplacing)
        effect->processReplacing(effect, inputs, outputs, frames);
    else
        effect->process(effect, inputs, outputs, frames);
}

intptr_t HostedPlugin::hostCallback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void*,
                                    float) {
    const auto* self = effect ? static_cast<HostedPlugin*>(effect->user) : nullptr;
    switch (opcode) {
        case audioMasterVersion: return 2400;
        case audioMasterGetSampleRate:
            return static_cast<intptr_t>(self ? self->rate : rateDuringConstruction);
        case audioMasterGetBlockSize: return self ? self->block : 1024;
        default: return 0;
    }
}
