#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace rotaplex {

struct DeleteGdiObject { void operator()(HGDIOBJ h) const { DeleteObject(h); } };
struct DeleteMemoryDc { void operator()(HDC h) const { DeleteDC(h); } };

using unique_hrgn = UniqueHandle<HRGN, DeleteGdiObject>;
using unique_hbitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using unique_hfont = UniqueHandle<HFONT, DeleteGdiObject>;
using unique_hbrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using unique_memory_dc = UniqueHandle<HDC, DeleteMemoryDc>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace rotaplex
