#include "ui/framework/folder_picker.h"

#include <shobjidl.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace rotaplex {

namespace {

struct ReleaseCom {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComRef = std::unique_ptr<T, ReleaseCom>;

struct FreeCoTaskMemory {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// COM for the calling thread, for one scope; a thread that already has it keeps it.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

void Check(HRESULT result, const char* step) {
    if (SUCCEEDED(result)) return;
    char text[128];
    std::snprintf(text, sizeof text, "The folder picker could not be shown: %s failed with error 0x%08lX.", step,
                  static_cast<unsigned long>(result));
    throw std::runtime_error(text);
}

constexpr DWORD kFirstLineId = 1;

// The folder as the picker's shell item; nothing for one that cannot be had.
ComRef<IShellItem> ShellItem(const std::wstring& folder) {
    IShellItem* item = nullptr;
    if (FAILED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(&item)))) return nullptr;
    return ComRef<IShellItem>(item);
}

}  // namespace

std::optional<std::wstring> PickFolder(HWND owner, const wchar_t* title, const std::vector<std::wstring>& lines,
                                       const std::vector<std::wstring>& offered) {
    ComScope com;
    IFileOpenDialog* created = nullptr;
    Check(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)),
          "CoCreateInstance");
    const ComRef<IFileOpenDialog> dialog(created);
    FILEOPENDIALOGOPTIONS options = 0;
    Check(dialog->GetOptions(&options), "GetOptions");
    Check(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST), "SetOptions");
    Check(dialog->SetTitle(title), "SetTitle");
    // The lines and the offered folders are a help to the operator: a picker that cannot show
    // them still asks.
    IFileDialogCustomize* customize = nullptr;
    if (SUCCEEDED(dialog->QueryInterface(IID_PPV_ARGS(&customize)))) {
        const ComRef<IFileDialogCustomize> held(customize);
        for (DWORD i = 0; i < lines.size(); ++i) held->AddText(kFirstLineId + i, lines[i].c_str());
    }
    // Opens in the first offered folder, with every one of them among the places beside it.
    for (auto folder = offered.rbegin(); folder != offered.rend(); ++folder)
        if (const ComRef<IShellItem> item = ShellItem(*folder)) dialog->AddPlace(item.get(), FDAP_TOP);
    if (!offered.empty())
        if (const ComRef<IShellItem> item = ShellItem(offered.front())) dialog->SetFolder(item.get());
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
    Check(shown, "Show");
    IShellItem* chosen = nullptr;
    Check(dialog->GetResult(&chosen), "GetResult");
    const ComRef<IShellItem> item(chosen);
    wchar_t* path = nullptr;
    Check(item->GetDisplayName(SIGDN_FILESYSPATH, &path), "GetDisplayName");
    const std::unique_ptr<wchar_t, FreeCoTaskMemory> held(path);
    return std::wstring(path);
}

}  // namespace rotaplex
