#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace rotaplex {

struct DestroyWindowHandle { void operator()(HWND h) const { DestroyWindow(h); } };
using unique_hwnd = UniqueHandle<HWND, DestroyWindowHandle>;

// Keeps the owner of a modal window from taking input for one scope. Declared after the modal
// window's own handle, it enables the owner again before the window goes, so that activation
// returns to the owner rather than to some other program.
class DisabledOwner {
public:
    explicit DisabledOwner(HWND owner) : owner_(owner) { EnableWindow(owner_, FALSE); }
    ~DisabledOwner() { EnableWindow(owner_, TRUE); }
    DisabledOwner(const DisabledOwner&) = delete;
    DisabledOwner& operator=(const DisabledOwner&) = delete;

private:
    HWND owner_;
};

// Gives the window the client size in twips at its own scale and centres it over its owner (the
// screen without one), moved into the work area of its monitor where it would stand out of it.
void PlaceCentredOver(HWND window, HWND owner, int clientWidthTwips, int clientHeightTwips);

// Runs the thread's messages until done is set, with the dialog keys (Tab, arrows) working in
// window. A WM_QUIT ends the loop and is posted again, so the program's own loop ends too.
void RunModalLoop(HWND window, const bool& done);

}  // namespace rotaplex
