// DeepEditorWindow: Zindra Deep's editor, a borderless 508 x 387 form in
// Zindra's look with two pages ("Deep Main" and "About"): seven skinned
// sliders and the Isolate switch, the live spectrum of the input and of what
// is taken out of it with the low and high keep marked, and the About texts.
// See EffectWindow for what every editor window shares.
#pragma once

#include <memory>

#include "core/deep/DeepParameters.h"
#include "editor/EffectWindow.h"
#include "gui/PageControl.h"

namespace editor {

class DeepEditorWindow : public EffectWindow {
public:
    static constexpr int kClientWidth = 508;
    static constexpr int kClientHeight = 387;
    static constexpr const char* kCaption = "Corvanti Zindra Deep";

    // [ui thread] Builds every control; `window` may be null (a form that is never shown).
    explicit DeepEditorWindow(std::unique_ptr<platform::NativeWindow> window);

    const char* caption() const override { return kCaption; }

    gui::PageControl* pages = nullptr;
    gui::TabSheet* mainPage = nullptr;
    gui::TabSheet* aboutPage = nullptr;

private:
    void buildMainPage(gui::Widget& page);
    void buildAboutPage(gui::Widget& page);
};

}  // namespace editor
