// The texts the editor window writes: slider readouts, the latency readout
// and the program dump. Pure functions of their arguments; any thread.
#pragma once

#include <span>
#include <string>

namespace editor {

// Milliseconds rounded to five significant digits and shown with two
// decimals, then " ms": "185.76 ms", "1024.00 ms".
std::string latencyReadout(float ms, const std::string& decimalSeparator);
// A value in the pattern "0.0000": at least one integer digit, four
// decimals, a minus sign only when what shows is not zero.
std::string fourDecimals(float value, const std::string& decimalSeparator);
// The lines of the dump file, one per value, each "programs[0].fpar[i]:= v;" ending
// in CR LF.
std::string dumpText(std::span<const float> values, const std::string& decimalSeparator);

}  // namespace editor
