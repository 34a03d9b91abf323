#include "vst3/HostReadout.h"

#include <cctype>

namespace vst3 {

std::string hostReadout(const core::ParameterInfo& row, float value) {
    std::string text = core::readoutText(row, value);
    if (row.isSwitch() && !text.empty()) text[0] = static_cast<char>(std::toupper(text[0]));
    return text;
}

}  // namespace vst3
