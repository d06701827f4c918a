#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace rotaplex {

struct CloseRegKey { void operator()(HKEY h) const { RegCloseKey(h); } };
struct CloseFind { void operator()(HANDLE h) const { FindClose(h); } };
struct CloseFile { void operator()(HANDLE h) const { CloseHandle(h); } };

using unique_hkey = UniqueHandle<HKEY, CloseRegKey>;
// Find and file handles use INVALID_HANDLE_VALUE, which is not a constant expression.
using unique_hfind = UniqueHandle<HANDLE, CloseFind, nullptr>;
using unique_hfile = UniqueHandle<HANDLE, CloseFile, nullptr>;

// INVALID_HANDLE_VALUE as the API returns it, turned into an empty owner.
inline HANDLE ValidOrNull(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }

}  // namespace rotaplex
