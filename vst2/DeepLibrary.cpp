// The library's way to the effect: the factory its entry function calls.
#include "vst2/DeepPlugin.h"

AudioEffect* createEffectInstance(audioMasterCallback host) {
    return createReadyPlugin<DeepPlugin>(host);
}

const char* effectNameForMessages() { return deep::kEffectName; }
