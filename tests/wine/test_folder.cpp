#include "test_folder.h"

#include <cstdlib>
#include <stdexcept>

#include "cycle/win/windows_file_system.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/remembered_folders_store.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"

namespace rotaplex::test {

namespace {

// Wide, with long paths: the tests make folders deeper than 260 characters and named outside
// the ANSI code page.
void RemoveTree(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder)) {
        const std::wstring path = ExtendedPath(folder + name);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(path.c_str())) RemoveTree(folder + name + "\\");
    }
    RemoveDirectoryW(ExtendedPath(folder).c_str());
}

}  // namespace

TestFolder::TestFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    path_ = std::string(temp) + "rotaplex-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

std::string TestFolder::MakeFolder(const std::string& relative) const {
    std::string path = path_;
    for (size_t start = 0; start <= relative.size();) {
        const size_t end = relative.find('\\', start);
        path += relative.substr(start, end - start) + "\\";
        CreateDirectoryA(path.c_str(), nullptr);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return path;
}

std::string TestFolder::Write(const std::string& relative, const std::string& bytes) const {
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) MakeFolder(relative.substr(0, slash));
    const std::string path = path_ + relative;
    unique_hfile file(ValidOrNull(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string ReadBytes(const std::string& path) { return WindowsFileSystem().Read(path, ~uint64_t{0}).Bytes; }

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    unique_hfind search(ValidOrNull(FindFirstFileW(ExtendedPath(folder + "*").c_str(), &found)));
    if (!search) return names;
    do {
        const std::string name = Utf8(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

// Under Wine the host's root is drive Z:; built on Windows, the path has its drive already.
std::string WindowsPath(const std::string& unixPath) {
    std::string path = unixPath.size() > 1 && unixPath[1] == ':' ? unixPath : "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string DemoGameFolder() {
    const char* source = std::getenv("ROTAPLEX_SOURCE");
    if (!source) throw std::runtime_error("ROTAPLEX_SOURCE is not set");
    return WindowsPath(std::string(source) + "/demo/game/");
}

namespace {

unique_hkey OpenGameKey() {
    unique_hkey key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_READ | KEY_WRITE | KEY_WOW64_32KEY, nullptr,
                    key.put(), nullptr);
    return key;
}

}  // namespace

// Wide, so that a folder named outside the ANSI code page (given in UTF-8) is stored whole.
GameFolderSetting::GameFolderSetting(const std::string& folder) {
    const unique_hkey key = OpenGameKey();
    const std::wstring name = Widen(kGameFolderValue);
    DWORD size = 0;
    hadValue_ = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
    bytes_.resize(size);
    if (hadValue_) RegQueryValueExW(key.get(), name.c_str(), nullptr, &type_, bytes_.data(), &size);
    const std::wstring value = Widen(folder);
    RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

GameFolderSetting::~GameFolderSetting() {
    const unique_hkey key = OpenGameKey();
    const std::wstring name = Widen(kGameFolderValue);
    if (hadValue_)
        RegSetValueExW(key.get(), name.c_str(), 0, type_, bytes_.data(), static_cast<DWORD>(bytes_.size()));
    else
        RegDeleteValueW(key.get(), name.c_str());
}

RememberedFoldersSetting::RememberedFoldersSetting(const std::vector<std::string>& folders)
    : before_(ReadRememberedFolders()) {
    WriteRememberedFolders(folders);
}

RememberedFoldersSetting::~RememberedFoldersSetting() { WriteRememberedFolders(before_); }

}  // namespace rotaplex::test
