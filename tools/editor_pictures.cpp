#include "editor_pictures.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "editor/uEditor.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "vst2/APluginEditor.h"
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

}  // namespace

bool writeEditorPictures(const std::string& folder, const std::vector<float>& left,
                         const std::vector<float>& right, int sampleRate) {
    rate = sampleRate;
    APlugin plugin(&hostCallback);
    if (!plugin.ready()) return false;
    AEffEditor* placeholder = plugin.getEditor();
    auto* bridge = new APluginEditor(&plugin, &offscreenWindow);
    plugin.setEditor(bridge);
    delete placeholder;

    // "Vocal Out - Mode 1" with the band set on the voice.
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
    editor::TPluginEditorWindow& window = *bridge->editorWindow();
    auto& screen = *static_cast<platform::OffscreenWindow*>(window.window());
    bridge->idle();
    screen.advance(100);
    bool ok = screen.savePng(folder + "/editor-main.png");

    window.PageControl1->setActivePage(window.About);
    screen.paintPending();
    ok = screen.savePng(folder + "/editor-about.png") && ok;
    bridge->close();
    return ok;
}
