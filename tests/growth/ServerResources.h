// What all clients of the X server hold, counted through the server's
// resource extension on a connection of the counter's own. Kept apart from
// the tests so that the X headers' macros stay out of them.
#pragma once

#include <map>
#include <string>

// Counts by resource type name (WINDOW, PIXMAP, GC, CURSOR ...), and
// "clients", the number of connections.
using ServerResources = std::map<std::string, long>;

class ServerResourceCounter {
public:
    ServerResourceCounter();
    ~ServerResourceCounter();
    ServerResourceCounter(const ServerResourceCounter&) = delete;
    ServerResourceCounter& operator=(const ServerResourceCounter&) = delete;

    // False without a display or without the extension.
    bool connected() const { return display_ != nullptr; }
    bool available() const { return available_; }
    ServerResources count() const;

private:
    void* display_ = nullptr;
    bool available_ = false;
};

// True when no count in `after` exceeds the same count in `before`.
bool noMoreThan(const ServerResources& after, const ServerResources& before);
std::string describe(const ServerResources& counts);
