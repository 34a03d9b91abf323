// Zindra's VST 3 class: the effect (core/ZindraEffect.h) as a component
// (EffectComponent.h), with Zindra's editor as its view.
#pragma once

#include "core/ZindraEffect.h"
#include "editor/ZindraEditController.h"
#include "vst3/EditorPart.h"
#include "vst3/EffectComponent.h"

namespace vst3 {

struct ZindraClass {
    using Effect = core::ZindraEffect;
    using Editor =
        EditorPart<editor::ZindraEditController, core::ZindraEffect, editor::kZindraWindow>;
    // Stored sessions name the class by it: it never changes.
    static constexpr Uid kClassId = makeUid(0x7B3E1C52, 0x9D4A4F0E, 0xA6C2E8B1, 0x5A51374E);
};

using ZindraComponent = EffectComponent<ZindraClass>;
extern template class EffectComponent<ZindraClass>;

}  // namespace vst3
