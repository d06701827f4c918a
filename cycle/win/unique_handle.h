#pragma once

#include <windows.h>

#include <utility>

namespace rotaplex {

// Owns one Windows handle and closes it exactly once. release() hands it over to whoever
// takes ownership (SetWindowRgn, for instance), after which this object frees nothing.
template <typename Handle, typename Close, Handle Invalid = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid; }
    Handle release() { return std::exchange(h_, Invalid); }
    void reset(Handle h = Invalid) {
        if (h_ != Invalid) Close{}(h_);
        h_ = h;
    }
    // For out-parameters of the API (RegOpenKeyExA and the like).
    Handle* put() {
        reset();
        return &h_;
    }

private:
    Handle h_ = Invalid;
};

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
