#include "platform/toolkit_reports.h"

#include "dsp/VecLib.h"
#include "platform/messages.h"

namespace {

void reportToUser(const char* text, bool mayBeAudioThread) {
    if (mayBeAudioThread)
        messages::queue(text, "Zindra");
    else
        messages::report(text, "Zindra");
}

}  // namespace

void installToolkitReports() { setVecLibReporter(reportToUser); }
