// APlugin: the effect. Its construction order is what hosts observe through
// the effect record and the requests made while main runs.
#pragma once

#include <cstdint>

#include "host/DAudioEffectX.h"

class APlugin : public AudioEffectX {
public:
    static constexpr int32_t kNumPrograms = 10;
    static constexpr int32_t kNumParams = 12;
    static constexpr int32_t kLatencySamples = 8192;

    explicit APlugin(audioMasterCallback host);
    ~APlugin() override;

    // Audio thread. No allocation, lock or system call.
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
    // UI thread (effMainsChanged).
    void suspend() override;
    void resume() override;
    // UI thread (effGetVu): the VU value, which is then cleared.
    float getVu() override;

    // Identity and capabilities.
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override;
    bool getInputProperties(int32_t index, VstPinProperties* properties) override;
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override;
    int32_t canDo(char* text) override;

private:
    float vu = 0.0f;
};
