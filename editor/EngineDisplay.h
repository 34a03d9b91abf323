// The display values of Zindra's frame engine, as every format hands them
// to the editor.
#pragma once

#include "core/FrameEngine.h"
#include "editor/EditController.h"

namespace editor {

inline DisplayValues displayValuesOf(const FrameEngine& engine) {
    return {engine.getBandLimitBin(), engine.getBandLowBin(), engine.getBandHighBin(),
            engine.getLatencyMs()};
}

}  // namespace editor
