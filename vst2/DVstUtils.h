// The VST 2 layer's text helper.
#pragma once

#include "core/FourCC.h"

// Writes value in fixed notation with two decimals and the user's locale
// decimal separator ("0.50", "0,50", "-1.00"), terminated. The caller provides
// room for the whole text; non-finite values are written as "0.00".
void floatToText(char* destination, float value);
