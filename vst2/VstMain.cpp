// The library's entry function. Exported as "main" (and on Linux also under
// its own name), it is the only way into the library; the build keeps every
// other symbol private.
#include <cstdio>
#include <new>

#include "platform/fpu.h"
#include "platform/messages.h"
#include "vst2/DAudioEffect.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback host) {
    // Without a callback there is no host to ask for its version.
    if (!host) return nullptr;
    platform::FloatEnvironmentGuard fpu;
    if (host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
        AudioEffect* effect = createEffectInstance(host);
        return effect ? effect->getAeffect() : nullptr;
    } catch (const std::bad_alloc&) {
        // Memory is short: the text is put together without asking for any.
        char text[128];
        std::snprintf(text, sizeof text, "%s cannot start: not enough memory.",
                      effectNameForMessages());
        messages::report(text);
    } catch (...) {
    }
    return nullptr;
}
