// What a plug-in handle of this library points at: the instance of an
// effect, and the state keys mapped for it. The UI reaches the instance
// through instance access.
#pragma once

#include <lv2/core/lv2.h>

#include <memory>
#include <optional>

#include "lv2/Instance.h"
#include "lv2/state.h"

namespace lv2 {

template <typename Effect>
struct Handle {
    std::unique_ptr<Instance<Effect>> instance;
    // Only with the host's URI map (lv2apply, for one, offers none).
    std::optional<StateKeys> keys;
};

// An instance of Effect that this library's descriptor for Effect made.
template <typename Effect>
Instance<Effect>& instanceOf(LV2_Handle handle) {
    return *static_cast<Handle<Effect>*>(handle)->instance;
}

}  // namespace lv2
