#include "vst2/uPlugin.h"

#include "platform/messages.h"
#include "vst2/APluginEditor.h"

AudioEffect* createEffectInstance(audioMasterCallback host) {
    return createReadyPlugin<APlugin>(host);
}

const char* effectNameForMessages() { return zindra::kEffectName; }

APlugin::APlugin(audioMasterCallback host) : EffectPlugin(host) {
    if (core().status() == core::ZindraEffect::Readiness::NoProgramMemory)
        messages::report("Not enough memory.", zindra::kEffectName);
    if (ready()) setEditor(new APluginEditor(this));
}

APluginEditor* APlugin::pluginEditor() const { return dynamic_cast<APluginEditor*>(getEditor()); }
