#pragma once

#include <windows.h>

#include <string>

#include "common/unique_handle.h"

namespace rotaplex {

struct DestroyAccelerators { void operator()(HACCEL h) const { DestroyAcceleratorTable(h); } };
struct DestroyMenuHandle { void operator()(HMENU h) const { DestroyMenu(h); } };

using unique_haccel = UniqueHandle<HACCEL, DestroyAccelerators>;
using unique_hmenu = UniqueHandle<HMENU, DestroyMenuHandle>;

// A menu shows "&" as the next letter's underline: a name's own (a folder's, a set's) stays as it is.
inline std::string MenuItemText(const std::string& name) {
    std::string text;
    for (const char c : name) text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
}

}  // namespace rotaplex
