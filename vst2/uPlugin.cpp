#include "vst2/uPlugin.h"

#include "platform/messages.h"
#include "vst2/APluginEditor.h"

APlugin::APlugin(audioMasterCallback host) : EffectPlugin(host) {
    if (core().status() == core::ZindraEffect::Readiness::NoProgramMemory)
        messages::report("Not enough memory.", zindra::kEffectName);
    if (ready()) setEditor(new APluginEditor(this));
}

APluginEditor* APlugin::pluginEditor() const { return dynamic_cast<APluginEditor*>(getEditor()); }
