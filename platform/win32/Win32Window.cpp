// The editor window on Windows: a WS_CHILD window in the host's window,
// painted with SetDIBitsToDevice, with window-message timers and mouse capture.
#include <windows.h>
#include <windowsx.h>

#include <atomic>
#include <cstdint>

#include "platform/win32/message_pump.h"
#include "platform/window.h"

namespace platform {
namespace {

constexpr const char* kClassName = "ZindraEditorWindow";

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

Key translateKey(WPARAM vk) {
    switch (vk) {
        case VK_LEFT: return Key::Left;
        case VK_RIGHT: return Key::Right;
        case VK_UP: return Key::Up;
        case VK_DOWN: return Key::Down;
        case VK_PRIOR: return Key::PageUp;
        case VK_NEXT: return Key::PageDown;
        case VK_HOME: return Key::Home;
        case VK_END: return Key::End;
        case VK_SPACE: return Key::Space;
        case VK_TAB: return Key::Tab;
        case VK_RETURN: return Key::Return;
        case VK_F8: return Key::F8;
        default: return Key::Other;
    }
}

class Win32Window final : public NativeWindow {
public:
    Win32Window(HWND parent, int width, int height) {
        if (liveWindows_++ == 0) registerClass();
        hwnd_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                width, height, parent, nullptr, thisModule(), this);
    }
    // Windows keeps a class that a library registered after the library is
    // unloaded, with a procedure address that then points nowhere; so the
    // class lives only while one of its windows does.
    ~Win32Window() override {
        if (hwnd_) {
            SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
        if (--liveWindows_ == 0) UnregisterClassA(kClassName, thisModule());
    }
    bool ok() const { return hwnd_ != nullptr; }

    void setClient(WindowClient* client) override { client_ = client; }
    void* handle() const override { return hwnd_; }
    void invalidate(PixelRect area) override {
        const RECT r{area.x, area.y, area.x + area.width, area.y + area.height};
        InvalidateRect(hwnd_, &r, FALSE);
    }
    bool startTimer(int timerId, unsigned intervalMs) override {
        return SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), intervalMs, nullptr) != 0;
    }
    void stopTimer(int timerId) override { KillTimer(hwnd_, static_cast<UINT_PTR>(timerId)); }
    void captureMouse(bool on) override {
        if (on)
            SetCapture(hwnd_);
        else if (GetCapture() == hwnd_)
            ReleaseCapture();
    }
    void setCursor(Cursor cursor) override {
        cursor_ = LoadCursor(nullptr, cursor == Cursor::Hand ? IDC_HAND : IDC_ARROW);
        SetCursor(cursor_);
    }
    // The host's message loop delivers everything; a paint that is due is
    // done now rather than when the queue runs dry.
    void idle() override { UpdateWindow(hwnd_); }

    void runFor(unsigned ms) override { pumpMessagesFor(ms); }

private:
    static void registerClass() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Win32Window::procedure;
        wc.hInstance = thisModule();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }

    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && self->client_) return self->handle(hwnd, msg, wp, lp);
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    LRESULT handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
        switch (msg) {
            case WM_PAINT: paint(hwnd); return 0;
            case WM_ERASEBKGND: return 1;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:  // the second press of a double click is a press
                SetFocus(hwnd);
                client_->mouseDown(x, y, MouseButton::Left);
                return 0;
            case WM_RBUTTONDOWN: client_->mouseDown(x, y, MouseButton::Right); return 0;
            case WM_MBUTTONDOWN: client_->mouseDown(x, y, MouseButton::Middle); return 0;
            case WM_LBUTTONUP: client_->mouseUp(x, y, MouseButton::Left); return 0;
            case WM_RBUTTONUP: client_->mouseUp(x, y, MouseButton::Right); return 0;
            case WM_MBUTTONUP: client_->mouseUp(x, y, MouseButton::Middle); return 0;
            case WM_MOUSEMOVE: client_->mouseMove(x, y); return 0;
            case WM_KEYDOWN: client_->keyDown(translateKey(wp)); return 0;
            case WM_KEYUP: client_->keyUp(translateKey(wp)); return 0;
            case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
            case WM_KILLFOCUS: client_->focusLost(); return 0;
            case WM_TIMER: client_->timerTick(static_cast<int>(wp)); return 0;
            case WM_SETCURSOR:
                if (LOWORD(lp) == HTCLIENT && cursor_) {
                    SetCursor(cursor_);
                    return TRUE;
                }
                break;
            default: break;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    // The whole picture goes out in one call; the paint's clip region limits
    // it to what was invalid.
    void paint(HWND hwnd) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        const RECT& r = ps.rcPaint;
        const PixelView view = client_->paint({r.left, r.top, r.right - r.left, r.bottom - r.top});
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = view.stride;
        info.bmiHeader.biHeight = -view.height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(view.width), static_cast<DWORD>(view.height),
                          0, 0, 0, static_cast<UINT>(view.height), view.pixels, &info,
                          DIB_RGB_COLORS);
        EndPaint(hwnd, &ps);
    }

    static inline std::atomic<int> liveWindows_{0};
    HWND hwnd_ = nullptr;
    WindowClient* client_ = nullptr;
    HCURSOR cursor_ = nullptr;
};

}  // namespace

WindowSystem windowSystem() { return WindowSystem::Win32; }

std::unique_ptr<NativeWindow> createChildWindow(void* parent, int width, int height) {
    auto window = std::make_unique<Win32Window>(static_cast<HWND>(parent), width, height);
    if (!window->ok()) return nullptr;
    return window;
}

}  // namespace platform
