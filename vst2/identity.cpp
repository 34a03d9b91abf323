// The effect's answers about itself: names, vendor, version, pins, capabilities.
#include <cstdio>
#include <cstring>

#include "core/ZindraIdentity.h"
#include "vst2/uPlugin.h"

namespace {

bool writeText(char* destination, const char* text) {
    if (!destination) return false;
    std::strcpy(destination, text);
    return true;
}

bool describePin(const char* kind, int32_t index, VstPinProperties* properties) {
    if (index < 0 || index > 1 || !properties) return false;
    std::snprintf(properties->label, sizeof properties->label, "%s #%d", kind, index + 1);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

}  // namespace

bool APlugin::getEffectName(char* name) { return writeText(name, zindra::kEffectName); }
bool APlugin::getVendorString(char* text) { return writeText(text, zindra::kVendorName); }
bool APlugin::getProductString(char* text) { return writeText(text, zindra::kProductName); }
int32_t APlugin::getVendorVersion() { return zindra::kVendorVersion; }

bool APlugin::getInputProperties(int32_t index, VstPinProperties* properties) {
    return describePin("Input", index, properties);
}

bool APlugin::getOutputProperties(int32_t index, VstPinProperties* properties) {
    return describePin("Output", index, properties);
}

// The effect claims none of the optional capabilities, whatever is asked.
int32_t APlugin::canDo(char*) { return -1; }
