// AudioEffectX: the extended requests of the interface (opcodes 25 to 76) and
// the extended host requests. Adds no fields to AudioEffect.
#pragma once

#include <cstdint>

#include "vst2/DAudioEffect.h"

class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);

    // [any thread] host requests sent on the caller's thread; all go through callHost.
    // Without a host callback they yield 0, false or null.
    virtual void* getTimeInfo(int32_t filter);
    virtual void setTime(int32_t filter, void* timeInfo);
    virtual int32_t tempoAt(int32_t position);
    // [ui thread] (effProcessEvents): events for the next block; answer as the host expects.
    virtual int32_t processEvents(void* events);
    virtual int32_t getNumAutomatableParameters();
    virtual int32_t getParameterQuantization();
    // [ui thread] (effCanBeAutomated).
    virtual bool canParameterBeAutomated(int32_t index);
    // [ui thread] (effString2Parameter).
    virtual bool string2parameter(int32_t index, char* text);
    // [ui thread] (effGetNumProgramCategories).
    virtual int32_t getNumCategories();
    // [ui thread] (effGetProgramNameIndexed): name of any program into text.
    virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text);
    // [ui thread] (effCopyProgram).
    virtual bool copyProgram(int32_t destination);
    virtual bool ioChanged();
    virtual bool needIdle();
    virtual bool sizeWindow(int32_t width, int32_t height);
    // [any thread] asks the host for its sample rate and adopts an answer above 0.
    virtual float updateSampleRate();
    // [any thread] asks the host for its block size and adopts an answer above 0.
    virtual int32_t updateBlockSize();
    virtual int32_t getInputLatency();
    virtual int32_t getOutputLatency();
    virtual AEffect* getPreviousPlug(int32_t input);
    virtual AEffect* getNextPlug(int32_t output);
    // [ui thread] (effConnectInput, effConnectOutput).
    virtual void inputConnected(int32_t index, bool state);
    virtual void outputConnected(int32_t index, bool state);
    // [ui thread] (effGetInputProperties, effGetOutputProperties).
    virtual bool getInputProperties(int32_t index, VstPinProperties* properties);
    virtual bool getOutputProperties(int32_t index, VstPinProperties* properties);
    // [ui thread] (effGetPlugCategory).
    virtual int32_t getPlugCategory();
    virtual int32_t willProcessReplacing();
    virtual int32_t getCurrentProcessLevel();
    virtual int32_t getAutomationState();
    // [ui thread] construction: flag bits of the effect record.
    virtual void wantAsyncOperation(bool state);
    virtual void hasExternalBuffer(bool state);
    // [ui thread] (effGetCurrentPosition, effGetDestinationBuffer).
    virtual int32_t reportCurrentPosition();
    virtual float* reportDestinationBuffer();
    virtual bool offlineRead(void* offline, int32_t option, bool readSource);
    virtual bool offlineWrite(void* offline, int32_t option);
    virtual bool offlineStart(void* audioFiles, int32_t numAudioFiles, int32_t numNewAudioFiles);
    virtual int32_t offlineGetCurrentPass();
    virtual int32_t offlineGetCurrentMetaPass();
    // [ui thread] (effOfflineNotify, effOfflinePrepare, effOfflineRun).
    virtual bool offlineNotify(void* audioFile, int32_t numAudioFiles, bool start);
    virtual bool offlinePrepare(void* offline, int32_t count);
    virtual bool offlineRun(void* offline, int32_t count);
    virtual void setOutputSamplerate(float rate);
    virtual void* getInputSpeakerArrangement();
    virtual void* getOutputSpeakerArrangement();
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual int32_t getHostVendorVersion();
    virtual intptr_t hostVendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
    virtual int32_t canHostDo(char* text);
    // [ui thread] construction: flag bits of the effect record.
    virtual void isSynth(bool state);
    virtual void noTail(bool state);
    virtual int32_t getHostLanguage();
    virtual void* openWindow(void* description);
    virtual bool closeWindow(void* description);
    virtual void* getDirectory();
    virtual bool updateDisplay();
    // [audio thread] (effProcessVarIo).
    virtual bool processVariableIo(void* variableIo);
    // [ui thread] (effSetSpeakerArrangement, effGetSpeakerArrangement).
    virtual bool setSpeakerArrangement(intptr_t input, void* output);
    virtual bool getSpeakerArrangement(void** input, void** output);
    // [ui thread] (effSetBlockSizeAndSampleRate).
    virtual void setBlockSizeAndSampleRate(int32_t size, float rate);
    // [ui thread] (effSetBypass): true when the effect bypasses itself.
    virtual bool setBypass(bool onOff);
    // [ui thread] identity texts into host buffers.
    virtual bool getEffectName(char* name);
    virtual bool getErrorText(char* text);
    virtual bool getVendorString(char* text);
    virtual bool getProductString(char* text);
    virtual int32_t getVendorVersion();
    // [ui thread] (effVendorSpecific).
    virtual intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
    // [ui thread] (effCanDo): 1 yes, -1 no, 0 don't know.
    virtual int32_t canDo(char* text);
    virtual void* getIcon();
    virtual bool setViewPosition(int32_t x, int32_t y);
    virtual int32_t getGetTailSize();
    virtual int32_t fxIdle();
    virtual bool getParameterProperties(int32_t index, void* properties);
    virtual bool keysRequired();
    virtual int32_t getVstVersion();
    // [ui thread] MIDI program queries (effGetMidiProgramName …).
    virtual int32_t getMidiProgramName(int32_t channel, void* midiProgramName);
    virtual int32_t getCurrentMidiProgram(int32_t channel, void* currentProgram);
    virtual int32_t getMidiProgramCategory(int32_t channel, void* category);
    virtual bool hasMidiProgramsChanged(int32_t channel);
    virtual bool getMidiKeyName(int32_t channel, void* keyName);
    // [ui thread] (effBeginSetProgram, effEndSetProgram).
    virtual bool beginSetProgram();
    virtual bool endSetProgram();
    // [ui thread] the user starts and ends a gesture on a parameter.
    virtual bool beginEdit(int32_t index);
    virtual bool endEdit(int32_t index);
    virtual bool openFileSelector(void* selector);
    // [ui thread] (effSetTotalSampleToProcess).
    virtual int32_t setTotalSampleToProcess(int32_t value);
    // [ui thread] (effShellGetNextPlugin).
    virtual int32_t getNextShellPlugin(char* name);
    // [ui thread] (effStartProcess, effStopProcess).
    virtual int32_t startProcess();
    virtual int32_t stopProcess();
    // [ui thread] (effSetPanLaw).
    virtual bool setPanLaw(int32_t type, float value);
    // [ui thread] (effBeginLoadBank, effBeginLoadProgram).
    virtual int32_t beginLoadBank(void* patchChunkInfo);
    virtual int32_t beginLoadProgram(void* patchChunkInfo);

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                        float opt) override;
};
