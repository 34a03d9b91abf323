#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/files.h"

namespace platform {

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::string pattern = path + ".XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = strerror(errno);
        return false;
    }
    // The new file gets the usual permissions of a created file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    const char* data = bytes.data();
    size_t left = bytes.size();
    bool ok = true;
    while (ok && left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (ok && fsync(fd) != 0) ok = false;
    if (!ok) error = strerror(errno);
    if (close(fd) != 0 && ok) {
        error = strerror(errno);
        ok = false;
    }
    if (ok && rename(temporary.data(), path.c_str()) != 0) {
        error = strerror(errno);
        ok = false;
    }
    if (!ok) unlink(temporary.data());
    return ok;
}

}  // namespace platform
