#include "vst3/HostHandler.h"

namespace vst3 {

HostHandler::~HostHandler() {
    if (handler) handler->release();
}

void HostHandler::set(IComponentHandler* newHandler) {
    if (newHandler == handler) return;
    if (newHandler) newHandler->addRef();
    if (handler) handler->release();
    handler = newHandler;
}

void HostHandler::beginEdit(ParamID id) {
    if (handler) handler->beginEdit(id);
}

void HostHandler::performEdit(ParamID id, ParamValue value) {
    if (handler) handler->performEdit(id, value);
}

void HostHandler::endEdit(ParamID id) {
    if (handler) handler->endEdit(id);
}

void HostHandler::restart(int32_t flags) {
    if (handler) handler->restartComponent(flags);
}

}  // namespace vst3
