#include <string>

#include "core/ParameterTable.h"
#include "dsp/Vst_math.h"

namespace core {

std::string readoutText(const ParameterInfo& parameter, float value) {
    switch (parameter.readout) {
        case Readout::Hertz:
            return std::to_string(roundHalfEven(static_cast<double>(value) *
                                                static_cast<double>(parameter.span))) +
                   " Hz";
        case Readout::Percent:
            return std::to_string(roundHalfEven(static_cast<double>(value) * 100.0)) + " %";
        case Readout::Switch: break;
    }
    return switchState(value) == 1 ? "on" : "off";
}

int switchState(float value) { return roundHalfEven(static_cast<double>(value)); }

}  // namespace core
