#include <stdlib.h>
#include <windows.h>

#include "platform/system.h"

namespace platform {

std::string moduleFilePath() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&moduleFilePath), &self))
        return {};
    char path[1501];
    const DWORD length = GetModuleFileNameA(self, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    return std::string(path, length);
}

std::string executableFilePath() {
    char path[1501];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    return std::string(path, length);
}

const char* pathSeparators() { return "\\/"; }

std::string userDecimalSeparator() {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 1)
        return ".";
    return separator;
}

void setEnvironmentVariable(const char* name, const char* value) {
    _putenv_s(name, value ? value : "");
    SetEnvironmentVariableA(name, value && *value ? value : nullptr);
}

void showMessageBox(const char* text, const char* caption) {
    MessageBoxA(nullptr, text, caption, MB_OK);
}

}  // namespace platform
