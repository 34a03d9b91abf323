// APluginEditor: Zindra's editor as VST 2 hosts reach it (see EffectEditor).
#pragma once

#include "editor/ZindraEditController.h"
#include "vst2/EffectEditor.h"
#include "vst2/uPlugin.h"

class APluginEditor : public EffectEditor<APlugin, editor::ZindraEditController> {
public:
    explicit APluginEditor(APlugin* plugin,
                           NativeWindowFactory makeWindow = &platform::createChildWindow)
        : EffectEditor(plugin, editor::kZindraWindow, makeWindow) {}

    // [ui thread] the window while it exists, for tools that draw it.
    editor::TPluginEditorWindow* editorWindow() const { return editorSession().editorWindow(); }
};
