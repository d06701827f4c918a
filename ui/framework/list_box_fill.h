#pragma once

#include <windows.h>

#include <cstddef>

namespace rotaplex {

// Fills a list box in bulk for one scope: storage for the entries reserved at once, and no
// redraw or scroll bar update per entry. When the scope ends the list draws again, once.
class ListBoxBulkFill {
public:
    ListBoxBulkFill(HWND list, int count, std::size_t textBytes) : list_(list) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LB_INITSTORAGE, count, static_cast<LPARAM>(textBytes));
    }
    ~ListBoxBulkFill() {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);  // turning redraw on does not repaint by itself
    }
    ListBoxBulkFill(const ListBoxBulkFill&) = delete;
    ListBoxBulkFill& operator=(const ListBoxBulkFill&) = delete;

private:
    HWND list_;
};

// A list box's own window procedure, called past any subclass on it. Under Wine a subclass costs
// a window property lookup per message, a round trip to the server, which a fill of 32767 entries
// multiplies into seconds; what the list box itself does is the same either way.
class ListBoxOwnProcedure {
public:
    explicit ListBoxOwnProcedure(HWND list = nullptr)
        : list_(list), procedure_(list ? reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC)) : nullptr) {}
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return CallWindowProcA(procedure_, list_, message, wParam, lParam);
    }

private:
    HWND list_;
    WNDPROC procedure_;
};

}  // namespace rotaplex
