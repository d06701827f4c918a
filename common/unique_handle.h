#pragma once

#include <utility>

namespace rotaplex {

// Owns one handle of a system resource and closes it exactly once. release() hands it over to
// whoever takes ownership (SetWindowRgn, for instance), after which this object frees nothing.
// Standard C++ only, so that the data layer and the window framework share it.
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

}  // namespace rotaplex
