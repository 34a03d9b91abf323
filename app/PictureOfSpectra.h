// A picture of two long-term average spectra, before and after, on a
// logarithmic frequency axis from 20 Hz to 20 kHz, written as PNG.
#pragma once

#include <string>

#include "app/DemoMix.h"

void writeSpectrumPicture(const std::string& path, const StereoSignal& before,
                          const StereoSignal& after, int32_t sampleRate, const std::string& title);
