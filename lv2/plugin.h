// What the UI reaches through instance access: the plug-in instance's effect.
#pragma once

#include <lv2/core/lv2.h>

namespace lv2 {

class EffectHost;

// The effect of an instance that this library's descriptor made.
EffectHost& effectOf(LV2_Handle handle);

}  // namespace lv2
