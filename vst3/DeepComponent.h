// Zindra Deep's VST 3 class: the effect (core/deep/DeepEffect.h) as a
// component (EffectComponent.h), with its editor.
#pragma once

#include "core/deep/DeepEffect.h"
#include "editor/DeepEditController.h"
#include "vst3/EditorPart.h"
#include "vst3/EffectComponent.h"

namespace vst3 {

struct DeepClass {
    using Effect = deep::DeepEffect;
    using Editor = EditorPart<editor::DeepEditController, deep::DeepEffect, editor::kDeepWindow>;
    // Stored sessions name the class by it: it never changes.
    static constexpr Uid kClassId = makeUid(0x061ADDC0, 0xA4544976, 0x8BBF6C76, 0x8601D570);
};

using DeepComponent = EffectComponent<DeepClass>;
extern template class EffectComponent<DeepClass>;

}  // namespace vst3
