#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstring>

#include "platform/shell.h"

namespace platform {
namespace {

// The shell may take its time (it can wait for the browser to answer), so the
// request runs on a thread of its own. The thread holds a reference to this
// library and gives it back as its last act, so that a host unloading the
// plug-in meanwhile does not pull the code from under it.
DWORD WINAPI openOnOwnThread(LPVOID parameter) {
    char* address = static_cast<char*>(parameter);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWMAXIMIZED);
    if (SUCCEEDED(com)) CoUninitialize();
    HeapFree(GetProcessHeap(), 0, address);
    HMODULE self = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&openOnOwnThread), &self);
    FreeLibraryAndExitThread(self, 0);
}

}  // namespace

void openWebAddress(const char* address) {
    if (!address || !*address) return;
    const size_t size = std::strlen(address) + 1;
    auto* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!copy) return;
    std::memcpy(copy, address, size);
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&openOnOwnThread), &self)) {
        HeapFree(GetProcessHeap(), 0, copy);
        return;
    }
    HANDLE thread = CreateThread(nullptr, 0, &openOnOwnThread, copy, 0, nullptr);
    if (!thread) {
        HeapFree(GetProcessHeap(), 0, copy);
        FreeLibrary(self);
        return;
    }
    CloseHandle(thread);
}

}  // namespace platform
