// The hidden program dump: the twelve values as assignments to program 0,
// written next to the plug-in library.
#include "editor/uEditor.h"
#include "editor/uEditorTexts.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "vst2/DVstUtils.h"

namespace editor {

void TPluginEditorWindow::DumpProgram() { writeDump(platform::moduleFolder() + kDumpFileName); }

bool TPluginEditorWindow::writeDump(const std::string& path) {
    float values[kNumParams];
    for (int i = 0; i < kNumParams; ++i) values[i] = ParamValues[i].load(std::memory_order_relaxed);
    std::string error;
    if (platform::replaceFile(path, dumpText(values, platform::userDecimalSeparator()), error))
        return true;
    const std::string text = "The program dump could not be written to " + path + ": " + error;
    messages::report(text.c_str(), kCaption);
    return false;
}

}  // namespace editor
