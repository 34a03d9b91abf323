// What Zindra's window adds to every window's behaviour: the "Hi-Res" label
// and the hidden program dump.
#include "editor/uEditor.h"

namespace editor {

void TPluginEditorWindow::ShowSwitchOn(int tag) {
    EffectWindow::ShowSwitchOn(tag);
    if (tag == kHiResSwitch) {
        l_HQ->setTransparent(false);
        l_HQ->setFontColor(gui::colors::lime);
    }
}

void TPluginEditorWindow::ShowSwitchOff(int tag) {
    EffectWindow::ShowSwitchOff(tag);
    if (tag == kHiResSwitch) {
        l_HQ->setTransparent(true);
        l_HQ->setFontColor(gui::colors::grey);
    }
}

void TPluginEditorWindow::Dump_pClick() { DumpProgram(); }

void TPluginEditorWindow::PageControl1Change() {}

bool TPluginEditorWindow::keyDown(gui::Key key) {
    if (key != kDumpKey) return false;
    DumpProgram();
    return true;
}

}  // namespace editor
