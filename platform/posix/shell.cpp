#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/shell.h"

extern char** environ;

namespace platform {

// xdg-open may stay until the browser has gone, so it runs in the background
// of a shell that ends at once; that shell is the only thing waited for.
void openWebAddress(const char* address) {
    if (!address || !*address) return;
    const char* argv[] = {"sh", "-c",    "xdg-open \"$1\" >/dev/null 2>&1 </dev/null &",
                          "sh", address, nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return;
    // A host that ignores SIGCHLD has its children reaped for it (ECHILD).
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace platform
