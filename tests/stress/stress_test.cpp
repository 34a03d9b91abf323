// Everything a host may do at once, for a bounded time: an audio thread
// processing blocks of random length (0, 1 and 8192 included) in both modes;
// a user-interface thread setting parameters to any float (NaN, infinities,
// negatives, above 1), switching and renaming programs, and saving and
// loading presets and banks; and an automation thread setting parameters as
// a host's automation does, while the editor opens, idles and closes. Run under ThreadSanitizer and
// AddressSanitizer. Afterwards the current program must equal the parameters and a chunk round trip
// must change nothing.
//
//   stress_test [SECONDS]      (default 60)
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/offscreen/OffscreenWindow.h"
#include "platform/system.h"
#include "vst2/APluginEditor.h"
#include "vst2/uPlugin.h"
#include "vst2/vst2.h"

namespace {

std::atomic<bool> running{true};
int failures = 0;

void expect(bool condition, const char* what) {
    if (!condition) {
        std::printf("FAILED: %s\n", what);
        ++failures;
    }
}

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    switch (opcode) {
        case audioMasterVersion: return 2400;
        case audioMasterGetSampleRate: return 44100;
        default: return 0;
    }
}

std::unique_ptr<platform::NativeWindow> offscreenWindow(void*, int width, int height) {
    return std::make_unique<platform::OffscreenWindow>(width, height);
}

float anyValue(std::mt19937& random) {
    static const float special[] = {std::numeric_limits<float>::quiet_NaN(),
                                    std::numeric_limits<float>::infinity(),
                                    -std::numeric_limits<float>::infinity(),
                                    -0.5f,
                                    1.5f,
                                    0.0f,
                                    1.0f,
                                    0.5f};
    if (random() % 4 == 0) return special[random() % 8];
    return std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
}

void audio(AEffect* effect) {
    std::mt19937 random(1);
    std::vector<float> left(8192), right(8192), outLeft(8192), outRight(8192);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] = std::sin(static_cast<float>(i) * 0.03f) * 0.5f;
        right[i] = std::sin(static_cast<float>(i) * 0.021f) * 0.4f;
    }
    static const int32_t sizes[] = {0, 1, 8192, 7, 512, 1000, 4096};
    while (running.load()) {
        const int32_t frames =
            random() % 3 == 0 ? static_cast<int32_t>(random() % 8193) : sizes[random() % 7];
        float* in[2] = {left.data(), right.data()};
        float* out[2] = {outLeft.data(), outRight.data()};
        if (random() % 2)
            effect->processReplacing(effect, in, out, frames);
        else
            effect->process(effect, in, out, frames);
    }
}

void automation(AEffect* effect) {
    std::mt19937 random(2);
    while (running.load()) {
        effect->setParameter(effect, static_cast<int32_t>(random() % 12), anyValue(random));
        effect->getParameter(effect, static_cast<int32_t>(random() % 14) - 1);
        std::this_thread::yield();
    }
}

void userInterface(AEffect* effect) {
    std::mt19937 random(3);
    char text[256];
    while (running.load()) {
        switch (random() % 8) {
            case 0:
                effect->setParameter(effect, static_cast<int32_t>(random() % 14) - 1,
                                     anyValue(random));
                break;
            case 1:
                effect->dispatcher(effect, effSetProgram, 0,
                                   static_cast<intptr_t>(random() % 12) - 1, nullptr, 0.0f);
                break;
            case 2: {
                std::string name(random() % 60, 'a' + static_cast<char>(random() % 26));
                std::strcpy(text, name.c_str());
                effect->dispatcher(effect, effSetProgramName, 0, 0, text, 0.0f);
                break;
            }
            case 3:
            case 4: {
                const int32_t isPreset = static_cast<int32_t>(random() % 2);
                void* chunk = nullptr;
                const auto bytes =
                    effect->dispatcher(effect, effGetChunk, isPreset, 0, &chunk, 0.0f);
                std::vector<uint8_t> copy(static_cast<uint8_t*>(chunk),
                                          static_cast<uint8_t*>(chunk) + bytes);
                effect->dispatcher(effect, effSetChunk, isPreset, bytes, copy.data(), 0.0f);
                break;
            }
            case 5:
                effect->dispatcher(effect, effGetParamDisplay, static_cast<int32_t>(random() % 12),
                                   0, text, 0.0f);
                effect->dispatcher(effect, effGetProgramNameIndexed,
                                   static_cast<int32_t>(random() % 10), 0, text, 0.0f);
                break;
            case 6: {
                // The editor comes and goes while the other threads run.
                static char parent;
                const auto request = random() % 4;
                const int32_t opcode = request == 0   ? effEditOpen
                                       : request == 1 ? effEditClose
                                                      : effEditIdle;
                effect->dispatcher(effect, opcode, 0, 0, &parent, 0.0f);
                ERect* rect = nullptr;
                effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f);
                break;
            }
            default: effect->dispatcher(effect, effGetProgram, 0, 0, nullptr, 0.0f); break;
        }
    }
}

float presetValue(const uint8_t* chunk, int index) {
    uint32_t bits = 0;
    for (int b = 3; b >= 0; --b) bits = (bits << 8) | chunk[8 + 4 * index + b];
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    platform::setEnvironmentVariable("ZINDRA_MESSAGE_LOG", "stress-messages.log");
    AudioEffect* object = createEffectInstance(hostCallback);
    if (!object) {
        std::printf("FAILED: no effect\n0 passed, 1 failed\n");
        return 1;
    }
    AEffect* effect = object->getAeffect();
    // The editor draws into memory instead of a screen.
    auto* plugin = static_cast<APlugin*>(object);
    AEffEditor* screenEditor = plugin->getEditor();
    plugin->setEditor(new APluginEditor(plugin, &offscreenWindow));
    delete screenEditor;

    std::thread audioThread(audio, effect);
    std::thread automationThread(automation, effect);
    std::thread uiThread(userInterface, effect);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    running.store(false);
    audioThread.join();
    automationThread.join();
    uiThread.join();

    // The current program holds exactly the parameters.
    void* chunk = nullptr;
    const auto presetBytes = effect->dispatcher(effect, effGetChunk, 1, 0, &chunk, 0.0f);
    expect(presetBytes == 364, "a preset chunk of 364 bytes");
    for (int i = 0; i < 12 && presetBytes == 364; ++i) {
        const float value = effect->getParameter(effect, i);
        expect(value >= 0.0f && value <= 1.0f, "every parameter within 0..1");
        expect(presetValue(static_cast<uint8_t*>(chunk), i) == value,
               "the current program equals the parameters");
    }
    // A bank round trip changes nothing.
    const auto bankBytes = effect->dispatcher(effect, effGetChunk, 0, 0, &chunk, 0.0f);
    std::vector<uint8_t> saved(static_cast<uint8_t*>(chunk),
                               static_cast<uint8_t*>(chunk) + bankBytes);
    effect->dispatcher(effect, effSetChunk, 0, bankBytes, saved.data(), 0.0f);
    const auto againBytes = effect->dispatcher(effect, effGetChunk, 0, 0, &chunk, 0.0f);
    expect(againBytes == bankBytes && std::memcmp(chunk, saved.data(), saved.size()) == 0,
           "a bank round trip is lossless");
    expect(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f) == 1, "the effect closes");

    const int checks = 16;
    std::printf("%d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
