#pragma once

#include <windows.h>

#include "ui/framework/pending_error.h"

namespace rotaplex {

// One C++ object per window: `this` travels in CreateWindowEx's last argument, is stored at
// WM_NCCREATE and every later message goes to Derived::HandleMessage.
template <typename Derived>
class BaseWindow {
public:
    HWND Window() const { return hwnd_; }

protected:
    BaseWindow() = default;
    // The window goes with its object. It is cut loose first: the derived part is already gone,
    // so the last messages must not reach HandleMessage.
    ~BaseWindow() {
        if (!hwnd_) return;
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // Registers the class once per process. iconId, when given, names the icon resource that the
    // taskbar button and the window switcher show for its windows.
    static void RegisterClassOnce(const char* className, UINT style = 0, WORD iconId = 0) {
        WNDCLASSEXA wc{};
        if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) return;
        wc.cbSize = sizeof wc;
        wc.style = style;
        wc.lpfnWndProc = &BaseWindow::WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        // Shared, so the system frees it; the small icon comes from the same resource.
        if (iconId) wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(iconId));
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        RegisterClassExA(&wc);
    }

    HWND Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND owner) {
        return CreateWindowExA(exStyle, className, caption, style, x, y, width, height, owner, nullptr,
                               GetModuleHandleA(nullptr), static_cast<Derived*>(this));
    }

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->hwnd_ = hwnd;
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
        LRESULT result = 0;
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            KeepPendingError(std::current_exception());
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace rotaplex
