#include "editor_pictures.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "editor/DeepEditorWindow.h"
#include "editor/uEditor.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "vst2/APluginEditor.h"
#include "vst2/DeepPluginEditor.h"
#include "vst2/uPlugin.h"

namespace {

int rate = 44100;

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetSampleRate) return rate;
    return 0;
}

std::unique_ptr<platform::NativeWindow> offscreenWindow(void*, int width, int height) {
    return std::make_unique<platform::OffscreenWindow>(width, height);
}

// One effect's editor: its first program run over the audio, then the main
// page and (showAbout) the second page, as PREFIX-main.png and PREFIX-about.png.
template <typename Plugin, typename Editor, typename ShowAbout>
bool drawEditor(const std::string& folder, const std::string& prefix,
                const std::vector<float>& left, const std::vector<float>& right,
                ShowAbout showAbout) {
    Plugin plugin(&hostCallback);
    if (!plugin.ready()) return false;
    AEffEditor* placeholder = plugin.getEditor();
    auto* bridge = new Editor(&plugin, &offscreenWindow);
    plugin.setEditor(bridge);
    delete placeholder;

    plugin.setProgram(0);
    std::vector<float> outLeft(left.size()), outRight(left.size());
    float* none[2] = {nullptr, nullptr};
    plugin.processReplacing(none, none, 0);
    constexpr size_t kBlock = 512;
    for (size_t pos = 0; pos < left.size(); pos += kBlock) {
        float* in[2] = {const_cast<float*>(left.data() + pos),
                        const_cast<float*>(right.data() + pos)};
        float* out[2] = {outLeft.data() + pos, outRight.data() + pos};
        plugin.processReplacing(in, out, static_cast<int32_t>(std::min(kBlock, left.size() - pos)));
    }

    ERect* rect = nullptr;
    bridge->getRect(&rect);
    bridge->open(nullptr);
    editor::EffectWindow& window = *bridge->editorSession().effectWindow();
    auto& screen = *static_cast<platform::OffscreenWindow*>(window.window());
    bridge->idle();
    screen.advance(100);
    bool ok = screen.savePng(folder + "/" + prefix + "-main.png");

    showAbout(window);
    screen.paintPending();
    ok = screen.savePng(folder + "/" + prefix + "-about.png") && ok;
    bridge->close();
    return ok;
}

}  // namespace

bool writeEditorPictures(const std::string& folder, const std::vector<float>& left,
                         const std::vector<float>& right, int sampleRate) {
    rate = sampleRate;
    // Zindra's "Vocal Out - Mode 1", with the band set on the voice.
    const bool zindra = drawEditor<APlugin, APluginEditor>(
        folder, "editor", left, right, [](editor::EffectWindow& w) {
            auto& window = static_cast<editor::TPluginEditorWindow&>(w);
            window.PageControl1->setActivePage(window.About);
        });
    // Zindra Deep's "Deep Removal".
    const bool deep = drawEditor<DeepPlugin, DeepPluginEditor>(
        folder, "deep-editor", left, right, [](editor::EffectWindow& w) {
            auto& window = static_cast<editor::DeepEditorWindow&>(w);
            window.pages->setActivePage(window.aboutPage);
        });
    return zindra && deep;
}
