// A top-level window that plays the host in test programs and tools.
#include <windows.h>

#include <cstdint>

#include "platform/win32/message_pump.h"
#include "platform/window.h"

namespace platform {
namespace {

constexpr const char* kClassName = "ZindraHostWindow";

class Win32HostWindow final : public HostWindow {
public:
    explicit Win32HostWindow(HWND hwnd) : hwnd_(hwnd) {}
    ~Win32HostWindow() override { DestroyWindow(hwnd_); }

    void* handle() const override { return hwnd_; }

    void runFor(unsigned ms) override { pumpMessagesFor(ms); }

    std::unique_ptr<std::uint32_t[]> readBack(int width, int height) override {
        HDC screen = GetDC(hwnd_);
        if (!screen) return nullptr;
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        std::unique_ptr<std::uint32_t[]> pixels;
        if (bitmap && bits) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
            GdiFlush();
            pixels = std::make_unique<std::uint32_t[]>(static_cast<size_t>(width * height));
            const auto* src = static_cast<const std::uint32_t*>(bits);
            for (int i = 0; i < width * height; ++i) pixels[i] = src[i] | 0xFF000000u;
            SelectObject(memory, old);
        }
        if (bitmap) DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(hwnd_, screen);
        return pixels;
    }

private:
    HWND hwnd_;
};

}  // namespace

std::unique_ptr<HostWindow> createHostWindow(int width, int height, const char* title) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, kClassName, &wc)) {
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }
    RECT frame{0, 0, width, height};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    HWND hwnd =
        CreateWindowExA(0, kClassName, title ? title : "", style, 0, 0, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return nullptr;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return std::make_unique<Win32HostWindow>(hwnd);
}

}  // namespace platform
