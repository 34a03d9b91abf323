// AudioEffect: owns the effect record the host drives, turns the base
// dispatcher opcodes (0 to 24) into virtual operations and talks back to the
// host through callHost. Subclasses override operations, never opcodes.
#pragma once

#include <atomic>
#include <cstdint>

#include "vst2/AEffEditor.h"
#include "vst2/vst2.h"

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);
    virtual ~AudioEffect();

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    // Operations in the order of the interface's slots.

    // [ui thread] (effSetSampleRate, and updateSampleRate from any thread).
    virtual void setSampleRate(float rate);
    // [ui thread] (effSetBlockSize).
    virtual void setBlockSize(int32_t size);
    // [any thread] the UI or a host automation thread: set a parameter, 0..1.
    virtual void setParameter(int32_t index, float value);
    // [any thread] a parameter's value, 0..1.
    virtual float getParameter(int32_t index);
    // [ui thread] from the editor: apply the value, then tell the host.
    virtual void setParameterAutomated(int32_t index, float value);
    // [audio thread] add the effect's output to outputs. No allocation, lock or system call.
    virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    // [audio thread] overwrite outputs. No allocation, lock or system call.
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
    // [ui thread] every request of the host other than audio and parameter access.
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt);
    // [ui thread] (effOpen, effClose).
    virtual void open();
    virtual void close();
    // [ui thread] (effGetProgram, effSetProgram).
    virtual int32_t getProgram();
    virtual void setProgram(int32_t program);
    // [ui thread] texts into host buffers.
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(int32_t index, char* label);
    virtual void getParameterDisplay(int32_t index, char* text);
    virtual void getParameterName(int32_t index, char* text);
    // [ui thread] (effGetVu).
    virtual float getVu();
    // [ui thread] (effGetChunk): stores the chunk's address in *data, returns its size.
    virtual int32_t getChunk(void** data, bool isPreset);
    // [ui thread] (effSetChunk): answer as the host expects.
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
    // [ui thread] (effMainsChanged 0 and non-0): audio stops and starts.
    virtual void suspend();
    virtual void resume();
    // [ui thread] construction: values of the effect record.
    virtual void setUniqueID(int32_t id);
    virtual void setNumInputs(int32_t count);
    virtual void setNumOutputs(int32_t count);
    virtual void hasVu(bool state);
    virtual void hasClip(bool state);
    virtual void canMono(bool state);
    virtual void canProcessReplacing(bool state);
    virtual void programsAreChunks(bool state);
    virtual void setRealtimeQualities(int32_t qualities);
    virtual void setOfflineQualities(int32_t qualities);
    virtual void setInitialDelay(int32_t samples);
    // [any thread] host requests, on the caller's thread.
    virtual int32_t getMasterVersion();
    virtual int32_t getCurrentUniqueId();
    virtual void masterIdle();
    virtual bool isInputConnected(int32_t input);
    virtual bool isOutputConnected(int32_t output);

    // Installs the editor object (owned from now on) and sets or clears the editor flag.
    void setEditor(AEffEditor* newEditor);
    AEffect* getAeffect() { return &cEffect; }
    AEffEditor* getEditor() const { return editor; }
    float getSampleRate() const { return sampleRate; }
    int32_t getBlockSize() const { return blockSize; }

    // Sends one request to the host; without a host callback yields fallback.
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f, intptr_t fallback = 0);

protected:
    void setFlag(int32_t flag, bool state);

    AEffect cEffect;
    // Written by the UI thread (host requests) and by the audio thread (the
    // engine asks the host for its rate when it resets), read by both.
    std::atomic<float> sampleRate;
    AEffEditor* editor;
    int32_t numPrograms;
    int32_t numParams;
    std::atomic<int32_t> blockSize;
    std::atomic<int32_t> curProgram;  // read by setParameter on any thread
    audioMasterCallback audioMaster;
};

// The one place where the plug-in is chosen: defined by the plug-in, called by
// the library's entry function. Returns null when the effect cannot be built.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
// The effect's name in the messages the entry function shows: defined with
// createEffectInstance.
const char* effectNameForMessages();
