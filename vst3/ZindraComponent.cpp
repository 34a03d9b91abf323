#include "vst3/ZindraComponent.h"

#include "vst3/EffectComponentBody.h"

namespace vst3 {

template class EffectComponent<ZindraClass>;

}  // namespace vst3
