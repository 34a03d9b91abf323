#include <windows.h>

#include <cstdio>

#include "platform/files.h"

namespace platform {
namespace {

std::string lastErrorText() {
    const DWORD code = GetLastError();
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() &&
           (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    if (result.empty()) result = "system error " + std::to_string(code);
    return result;
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = path + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastErrorText();
        return false;
    }
    bool ok = true;
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (ok && left > 0) {
        DWORD written = 0;
        const DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
            ok = false;
            break;
        }
        data += written;
        left -= written;
    }
    if (ok && !FlushFileBuffers(file)) ok = false;
    if (!ok) error = lastErrorText();
    CloseHandle(file);
    if (ok && !MoveFileExA(temporary.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = lastErrorText();
        ok = false;
    }
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

}  // namespace platform
