// The ceiling of any effect that scales each bin by one gain: the ideal
// binary mask, which knows the stems. Frames of 4096 samples at a quarter-frame
// hop, as Zindra Deep's; a bin where the voice holds more power than the rest
// of the mix is lowered to the floor (removal) or kept alone (isolation).
#pragma once

#include "bench/separation/Stems.h"

namespace separation {

StereoSignal idealMask(const TestMix& mix, double floorDb, bool isolation);

}  // namespace separation
