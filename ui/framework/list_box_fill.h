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

}  // namespace rotaplex
