#include "app/HostedPlugin.h"

#include <cstring>
#include <stdexcept>

namespace {

// The rate the next effect will be told while main runs, before its record
// (and so its user field) exists.
thread_local float rateDuringConstruction = 44100.0f;

}  // namespace

HostedPlugin::HostedPlugin(const std::string& libraryPath, float sampleRate) : rate(sampleRate) {
    library = std::make_unique<platform::DynamicLibrary>(libraryPath);
    if (!library->loaded()) throw std::runtime_error(library->error());
    auto entry = reinterpret_cast<VstEntryProc>(library->symbol("main"));
    if (!entry) entry = reinterpret_cast<VstEntryProc>(library->symbol("VSTPluginMain"));
    if (!entry) throw std::runtime_error(libraryPath + " is not a VST 2 plug-in (no entry function)");
    rateDuringConstruction = sampleRate;
    effect = entry(hostCallback);
    if (!effect || effect->magic != kEffectMagic)
        throw std::runtime_error(libraryPath + " did not create an effect");
    effect->user = this;
    send(effOpen);
    send(effSetSampleRate, 0, 0, nullptr, sampleRate);
}

HostedPlugin::~HostedPlugin() {
    if (effect) send(effClose);
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

intptr_t HostedPlugin::hostCallback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void*,
                                    float) {
    const auto* self = effect ? static_cast<HostedPlugin*>(effect->user) : nullptr;
    switch (opcode) {
        case audioMasterVersion: return 2400;
        case audioMasterGetSampleRate:
            return static_cast<intptr_t>(self ? self->rate : rateDuringConstruction);
        default: return 0;
    }
}
