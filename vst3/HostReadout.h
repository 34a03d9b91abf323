// A parameter's value as VST 3 hosts show it in their own controls and
// lanes: the editor's readout ("4300 Hz", "10 %"), switches capitalised
// ("On", "Off").
#pragma once

#include <string>

#include "core/ParameterTable.h"

namespace vst3 {

std::string hostReadout(const core::ParameterInfo& row, float value);

}  // namespace vst3
