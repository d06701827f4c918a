#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace rotaplex {

struct DestroyAccelerators { void operator()(HACCEL h) const { DestroyAcceleratorTable(h); } };
struct DestroyMenuHandle { void operator()(HMENU h) const { DestroyMenu(h); } };

using unique_haccel = UniqueHandle<HACCEL, DestroyAccelerators>;
using unique_hmenu = UniqueHandle<HMENU, DestroyMenuHandle>;

}  // namespace rotaplex
