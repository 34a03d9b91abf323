#include "core/APluginProgram.h"
#include "core/ZindraPrograms.h"

APluginProgram::APluginProgram() {
    for (int i = 0; i < zindra::kNumParams; ++i) fpar[i].store(core::kFactoryPrograms[0].values[i]);
}
