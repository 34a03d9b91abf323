#include "plugin/toolkitReports.h"

#include "dsp/VecLib.h"
#include "host/Messages.h"

namespace {

void reportToUser(const char* text, bool mayBeAudioThread) {
    if (mayBeAudioThread)
        messages::queue(text, "Zindra");
    else
        messages::report(text, "Zindra");
}

}  // namespace

void installToolkitReports() { setVecLibReporter(reportToUser); }
