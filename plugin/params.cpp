// The twelve parameters: clamping, conversion into the engine's quantities,
// write-through into the current program, and the texts shown to the host.
#include <cstring>
#include <numbers>

#include "host/DVstUtils.h"
#include "plugin/uPlugin.h"

namespace {

const char* const kParameterNames[APlugin::kNumParams] = {
    "Center", "Width",        "Spread",      "Zindra Mix", "Humidity", "Hi-Res",
    "Bypass", "Zindra-cate!", "Stereolize!", "Pass Thru",  "Isolate",  "Spreadilate!"};

bool valid(int32_t index) { return index >= 0 && index < APlugin::kNumParams; }

}  // namespace

void APlugin::setParameter(int32_t index, float value) {
    // Above 1 is 1; anything not at least 0 (negative, NaN) is 0.
    const float v = value > 1.0f ? 1.0f : (value >= 0.0f ? value : 0.0f);
    if (!valid(index)) return;

    const bool on = v != 0.0f;
    switch (index) {
        case kCenter:
            centerHz.store(
                static_cast<float>(roundHalfEven(static_cast<double>(v) * centerScaleHz.load())));
            updateBandMask();
            break;
        case kWidth:
            widthHz.store(
                static_cast<float>(roundHalfEven(static_cast<double>(v) * widthScaleHz.load())));
            updateBandMask();
            break;
        case kSpread:
            spreadAngle.store(static_cast<float>(static_cast<double>(v) * std::numbers::pi / 4.0));
            break;
        case kMix: mixFactorRe.store(v); break;
        case kHumidity: humidity.store(v); break;
        case kHiRes:
            // Applied by the audio thread at its next call; every setting asks for it.
            requestedFrameSize.store(4096 * roundHalfEven(1.0 + v), std::memory_order_relaxed);
            resetPending.store(true, std::memory_order_release);
            break;
        case kBypass: bypassOn.store(on); break;
        case kZindracate: zindracateOn.store(on); break;
        case kStereolize: stereolizeOn.store(on); break;
        case kPassThru: passThruOn.store(on); break;
        case kIsolate: isolateOn.store(on); break;
        case kSpreadilate: spreadilateOn.store(on); break;
        default: break;
    }
    params[index].store(v);
    if (programs) programs[curProgram.load()].fpar[index].store(v);
    if (editor) editor->update();
}

float APlugin::getParameter(int32_t index) { return valid(index) ? params[index].load() : 0.0f; }

void APlugin::getParameterName(int32_t index, char* text) {
    if (!text || index < 0) return;
    std::strcpy(text, valid(index) ? kParameterNames[index] : "undefined");
}

void APlugin::getParameterDisplay(int32_t index, char* text) {
    if (!text) return;
    if (valid(index))
        floatToText(text, params[index].load());
    else
        std::strcpy(text, "undefined");
}

void APlugin::getParameterLabel(int32_t, char* label) {
    if (label) std::strcpy(label, "%");
}
