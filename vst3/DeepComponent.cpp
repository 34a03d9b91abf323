#include "vst3/DeepComponent.h"

#include "vst3/EffectComponentBody.h"

namespace vst3 {

template class EffectComponent<DeepClass>;

}  // namespace vst3
