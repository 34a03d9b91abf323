// Preset and bank chunks: the plug-in's own format for the host to store.
#include "plugin/uPlugin.h"

void APlugin::allocateChunkBuffers() {}
void APlugin::releaseChunkBuffers() {}
int32_t APlugin::getChunk(void**, bool) { return 0; }
int32_t APlugin::setChunk(void*, int32_t, bool) { return 0; }
