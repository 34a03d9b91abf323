#include "ServerResources.h"

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

ServerResourceCounter::ServerResourceCounter() {
    Display* display = XOpenDisplay(nullptr);
    display_ = display;
    int eventBase = 0, errorBase = 0;
    available_ = display && XResQueryExtension(display, &eventBase, &errorBase);
}

ServerResourceCounter::~ServerResourceCounter() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

ServerResources ServerResourceCounter::count() const {
    ServerResources counts;
    auto* display = static_cast<Display*>(display_);
    if (!available_) return counts;
    int clientCount = 0;
    XResClient* clients = nullptr;
    if (!XResQueryClients(display, &clientCount, &clients)) return counts;
    counts["clients"] = clientCount;
    for (int c = 0; c < clientCount; ++c) {
        int typeCount = 0;
        XResType* types = nullptr;
        if (!XResQueryClientResources(display, clients[c].resource_base, &typeCount, &types))
            continue;
        for (int t = 0; t < typeCount; ++t) {
            char* name = XGetAtomName(display, types[t].resource_type);
            counts[name ? name : "?"] += types[t].count;
            XFree(name);
        }
        XFree(types);
    }
    XFree(clients);
    return counts;
}

bool noMoreThan(const ServerResources& after, const ServerResources& before) {
    for (const auto& [type, count] : after) {
        const auto was = before.find(type);
        if (count > (was == before.end() ? 0 : was->second)) return false;
    }
    return true;
}

std::string describe(const ServerResources& counts) {
    std::string text;
    for (const auto& [type, count] : counts) {
        if (!text.empty()) text += ", ";
        text += type + " " + std::to_string(count);
    }
    return text;
}
