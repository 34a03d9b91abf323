#include "app/KnownEffects.h"

#include "core/ZindraEffect.h"
#include "core/deep/DeepEffect.h"

core::ParameterTable knownParameters(int32_t uniqueId) {
    if (uniqueId == core::ZindraEffect::identity().uniqueId)
        return core::ZindraEffect::parameters();
    if (uniqueId == deep::DeepEffect::identity().uniqueId) return deep::DeepEffect::parameters();
    return {};
}
