// The texts the editor window writes: slider readouts, the latency readout
// and the program dump. Pure functions of their arguments; any thread.
#pragma once

#include <string>

namespace editor {

// value x scale as a whole number of hertz: "20000 Hz", "4000 Hz".
std::string hertzReadout(float value, float scale);
// value x 100 as a whole percentage: "100 %", "25 %".
std::string percentReadout(float value);
// What the editor shows for parameter `index` at `value`: the slider
// readouts (hertz for "Center" and "Width" with their scales, percent for the
// other sliders) and "on" or "off" for the switches.
std::string parameterReadout(int index, float value, float centerHzScale, float widthHzScale);
// The state a switch shows for its value: 1 on, 0 off.
int switchState(float value);
// Milliseconds rounded to five significant digits and shown with two
// decimals, then " ms": "185.76 ms", "1024.00 ms".
std::string latencyReadout(float ms, const std::string& decimalSeparator);
// A value in the pattern "0.0000": at least one integer digit, four
// decimals, a minus sign only when what shows is not zero.
std::string fourDecimals(float value, const std::string& decimalSeparator);
// The twelve lines of the dump file, each "programs[0].fpar[i]:= v;" ending
// in CR LF.
std::string dumpText(const float (&values)[12], const std::string& decimalSeparator);

}  // namespace editor
