// What the UI reaches through instance access: the plug-in instance.
#pragma once

#include <lv2/core/lv2.h>

namespace lv2 {

class Instance;

// An instance that this library's descriptor made.
Instance& instanceOf(LV2_Handle handle);

}  // namespace lv2
