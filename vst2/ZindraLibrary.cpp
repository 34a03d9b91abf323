// The library's way to the effect: the factory its entry function calls.
#include "vst2/uPlugin.h"

AudioEffect* createEffectInstance(audioMasterCallback host) {
    return createReadyPlugin<APlugin>(host);
}

const char* effectNameForMessages() { return zindra::kEffectName; }
