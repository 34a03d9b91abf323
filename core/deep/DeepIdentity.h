// Who Zindra Deep is, as every format names it.
#pragma once

#include <cstdint>

#include "core/EffectIdentity.h"
#include "core/FourCC.h"
#include "core/ZindraIdentity.h"

namespace deep {

inline constexpr const char* kEffectName = "Zindra Deep";
inline constexpr const char* kProductName = "Zindra Deep";
inline constexpr int32_t kVendorVersion = 1;
inline constexpr int32_t kUniqueId = makeFourCC('Z', 'Q', '7', 'D');
inline constexpr int32_t kNumInputs = 2;
inline constexpr int32_t kNumOutputs = 2;

inline constexpr core::EffectIdentity kIdentity{kEffectName,    kProductName, zindra::kVendorName,
                                                kVendorVersion, kUniqueId,    kNumInputs,
                                                kNumOutputs};

}  // namespace deep
