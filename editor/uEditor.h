// TPluginEditorWindow: Zindra's editor, a borderless 508 x 341 form with two
// pages ("Zindra Main" and "About"), five skinned sliders, seven switch
// buttons, the live spectrum of both channels and the About texts; see
// EffectWindow for what every editor window shares.
#pragma once

#include <memory>
#include <string>

#include "editor/ControlTags.h"
#include "editor/EffectWindow.h"
#include "gui/PageControl.h"
#include "gui/Panel.h"
#include "gui/PushButton.h"

namespace editor {

class TPluginEditorWindow : public EffectWindow {
public:
    static constexpr int kClientWidth = 508;
    static constexpr int kClientHeight = 341;
    static constexpr int kNumParams = zindra::kNumParams;
    static constexpr const char* kCaption = "Corvanti Zindra";
    static constexpr const char* kDumpFileName = "Zindra_dump.txt";
    // The hidden dump command's way in from the keyboard.
    static constexpr platform::Key kDumpKey = platform::Key::F8;

    // [ui thread] Builds every control; `window` may be null (a form that is never shown).
    explicit TPluginEditorWindow(std::unique_ptr<platform::NativeWindow> window);

    const char* caption() const override { return kCaption; }

    // Controls of Zindra's own. Sliders and switches are reached by their ControlTag.
    gui::PageControl* PageControl1 = nullptr;
    gui::TabSheet* TabSheet1 = nullptr;
    gui::TabSheet* About = nullptr;
    gui::TDIBImageContainer* DIBImageContainer1 = nullptr;
    gui::TDIBImageContainer* DIBImageContainer2 = nullptr;
    gui::PushButton* Dump_p = nullptr;
    gui::Panel* Panel22 = nullptr;
    gui::Label* l_HQ = nullptr;
    gui::Label* Label28 = nullptr;

    // [ui thread] The "Hi-Res" switch also lights the label at the top.
    void ShowSwitchOn(int tag) override;
    void ShowSwitchOff(int tag) override;
    void Dump_pClick();
    void PageControl1Change();
    // [ui thread] Writes the dump file next to the plug-in library; a failure is shown to
    // the user. writeDump is the same to a path of the caller's choice.
    void DumpProgram();
    bool writeDump(const std::string& path);

    bool keyDown(gui::Key key) override;

private:
    void buildMainPage(gui::TDIBImageContainer& page);
    void buildAboutPage(gui::TDIBImageContainer& page);
};

}  // namespace editor
