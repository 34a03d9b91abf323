// Who the effect is, as every format names it.
#pragma once

#include <cstdint>

#include "core/EffectIdentity.h"
#include "core/FourCC.h"

namespace zindra {

inline constexpr const char* kEffectName = "Zindra";
inline constexpr const char* kProductName = "Zindra";
inline constexpr const char* kVendorName = "Corvanti";
inline constexpr int32_t kVendorVersion = 1;
inline constexpr int32_t kUniqueId = makeFourCC('Z', 'Q', '7', 'N');
inline constexpr int32_t kNumInputs = 2;
inline constexpr int32_t kNumOutputs = 2;

inline constexpr core::EffectIdentity kIdentity{
    kEffectName, kProductName, kVendorName, kVendorVersion, kUniqueId, kNumInputs, kNumOutputs};

}  // namespace zindra
