#include "ui/framework/clipboard_text.h"

#include <cstring>

#include "common/unique_handle.h"

namespace rotaplex {

namespace {

struct FreeGlobal { void operator()(HGLOBAL h) const { GlobalFree(h); } };
using unique_hglobal = UniqueHandle<HGLOBAL, FreeGlobal>;

// The clipboard, open for one scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// A global memory block's bytes, locked for one scope.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory) : memory_(memory), bytes_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedGlobal() {
        if (bytes_) GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    void* get() const { return bytes_; }
    std::size_t Size() const { return GlobalSize(memory_); }

private:
    HGLOBAL memory_;
    void* bytes_;
};

// A movable block, as SetClipboardData takes it, holding size bytes copied from bytes and a
// terminating zero of unit bytes.
unique_hglobal GlobalText(const void* bytes, std::size_t size, std::size_t unit) {
    unique_hglobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + unit));
    const LockedGlobal locked(memory.get());
    if (!locked.get()) return {};
    std::memcpy(locked.get(), bytes, size);
    return memory;
}

// Gives the clipboard a block; the clipboard owns it from then on.
bool Hand(UINT format, unique_hglobal memory) {
    if (!memory || !SetClipboardData(format, memory.get())) return false;
    memory.release();
    return true;
}

}  // namespace

bool PutClipboardText(HWND owner, std::string_view ansiText) {
    const auto length = static_cast<int>(ansiText.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, ansiText.data(), length, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiText.data(), length, wide.data(), static_cast<int>(wide.size()));
    const OpenedClipboard clipboard(owner);
    if (!clipboard || !EmptyClipboard()) return false;
    return Hand(CF_UNICODETEXT, GlobalText(wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t))) &&
           Hand(CF_TEXT, GlobalText(ansiText.data(), ansiText.size(), 1));
}

std::optional<std::string> ClipboardText(HWND owner) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard) return std::nullopt;
    // Where only CF_TEXT was put, the system offers it as CF_UNICODETEXT too.
    const LockedGlobal locked(GetClipboardData(CF_UNICODETEXT));
    if (!locked.get()) return std::nullopt;
    const auto* wide = static_cast<const wchar_t*>(locked.get());
    const auto length = static_cast<int>(wcsnlen(wide, locked.Size() / sizeof(wchar_t)));
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

}  // namespace rotaplex
