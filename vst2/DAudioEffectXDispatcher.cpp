// The extended dispatcher: opcodes 25 to 76, one line each to a named
// operation; everything else goes unchanged to the base dispatcher.
#include "dsp/Vst_math.h"
#include "vst2/DAudioEffectX.h"
#include "vst2/DVstUtils.h"

namespace {

intptr_t answer(bool value) { return value ? 1 : 0; }

VstKeyCode keyCodeOf(int32_t index, intptr_t value, float opt) {
    VstKeyCode key{};
    key.character = index;
    key.virt = static_cast<uint8_t>(value & 0xFF);
    key.modifier = static_cast<uint8_t>(roundHalfEven(opt) & 0xFF);
    return key;
}

}  // namespace

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
    const auto extended = static_cast<uint32_t>(opcode) - static_cast<uint32_t>(effProcessEvents);
    if (extended > static_cast<uint32_t>(effBeginLoadProgram - effProcessEvents))
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);

    auto* text = static_cast<char*>(ptr);
    const auto value32 = static_cast<int32_t>(value);
    switch (opcode) {
        case effProcessEvents: return processEvents(ptr);
        case effCanBeAutomated: return answer(canParameterBeAutomated(index));
        case effString2Parameter: return answer(string2parameter(index, text));
        case effGetNumProgramCategories: return getNumCategories();
        case effGetProgramNameIndexed: return answer(getProgramNameIndexed(value32, index, text));
        case effCopyProgram: return answer(copyProgram(index));
        case effConnectInput: inputConnected(index, value != 0); return 1;
        case effConnectOutput: outputConnected(index, value != 0); return 1;
        case effGetInputProperties:
            return answer(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetOutputProperties:
            return answer(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetPlugCategory: return getPlugCategory();
        case effGetCurrentPosition: return reportCurrentPosition();
        case effGetDestinationBuffer: return reinterpret_cast<intptr_t>(reportDestinationBuffer());
        case effOfflineNotify: return answer(offlineNotify(ptr, value32, index != 0));
        case effOfflinePrepare: return answer(offlinePrepare(ptr, value32));
        case effOfflineRun: return answer(offlineRun(ptr, value32));
        case effProcessVarIo: return answer(processVariableIo(ptr));
        case effSetSpeakerArrangement: return answer(setSpeakerArrangement(value, ptr));
        case effSetBlockSizeAndSampleRate: setBlockSizeAndSampleRate(value32, opt); return 1;
        case effSetBypass: return answer(setBypass(value != 0));
        case effGetEffectName: return answer(getEffectName(text));
        case effGetErrorText: return answer(getErrorText(text));
        case effGetVendorString: return answer(getVendorString(text));
        case effGetProductString: return answer(getProductString(text));
        case effGetVendorVersion: return getVendorVersion();
        case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
        case effCanDo: return canDo(text);
        case effGetTailSize: return getGetTailSize();
        case effIdle: return fxIdle();
        case effGetIcon: return reinterpret_cast<intptr_t>(getIcon());
        case effSetViewPosition: return answer(setViewPosition(index, value32));
        case effGetParameterProperties: return answer(getParameterProperties(index, ptr));
        case effKeysRequired: return keysRequired() ? 0 : 1;
        case effGetVstVersion: return getVstVersion();
        case effEditKeyDown: {
            if (!editor) return 0;
            VstKeyCode key = keyCodeOf(index, value, opt);
            return editor->onKeyDown(key);
        }
        case effEditKeyUp: {
            if (!editor) return 0;
            VstKeyCode key = keyCodeOf(index, value, opt);
            return editor->onKeyUp(key);
        }
        case effSetEditKnobMode: return editor ? editor->setKnobMode(value32) : 0;
        case effGetMidiProgramName: return getMidiProgramName(index, ptr);
        case effGetCurrentMidiProgram: return getCurrentMidiProgram(index, ptr);
        case effGetMidiProgramCategory: return getMidiProgramCategory(index, ptr);
        case effHasMidiProgramsChanged: return answer(hasMidiProgramsChanged(index));
        case effGetMidiKeyName: return answer(getMidiKeyName(index, ptr));
        case effBeginSetProgram: return answer(beginSetProgram());
        case effEndSetProgram: return answer(endSetProgram());
        case effGetSpeakerArrangement:
            return answer(
                getSpeakerArrangement(reinterpret_cast<void**>(value), static_cast<void**>(ptr)));
        case effShellGetNextPlugin: return getNextShellPlugin(text);
        case effStartProcess: return startProcess();
        case effStopProcess: return stopProcess();
        case effSetTotalSampleToProcess: return setTotalSampleToProcess(value32);
        case effSetPanLaw: return answer(setPanLaw(value32, opt));
        case effBeginLoadBank: return beginLoadBank(ptr);
        case effBeginLoadProgram: return beginLoadProgram(ptr);
        default: return 0;
    }
}
