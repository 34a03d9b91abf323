// DeepPluginEditor: Zindra Deep's editor as VST 2 hosts reach it (see EffectEditor).
#pragma once

#include "editor/DeepEditController.h"
#include "vst2/DeepPlugin.h"
#include "vst2/EffectEditor.h"

class DeepPluginEditor : public EffectEditor<DeepPlugin, editor::DeepEditController> {
public:
    explicit DeepPluginEditor(DeepPlugin* plugin,
                              NativeWindowFactory makeWindow = &platform::createChildWindow)
        : EffectEditor(plugin, editor::kDeepWindow, makeWindow) {}

    // [ui thread] the window while it exists, for tools that draw it.
    editor::EffectWindow* effectWindow() const { return editorSession().effectWindow(); }
};
