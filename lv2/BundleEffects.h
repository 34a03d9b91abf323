// The effects the bundle holds, in the order of lv2_descriptor's index:
// Zindra first (index 0, as it always was), then Zindra Deep.
#pragma once

#include "lv2/DeepDescription.h"
#include "lv2/ZindraDescription.h"

namespace lv2 {

template <typename... Effects>
struct EffectList {};

using BundleEffects = EffectList<core::ZindraEffect, deep::DeepEffect>;

}  // namespace lv2
