#include "cycle/win/file_system.h"

#include <algorithm>

#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"

namespace rotaplex {

std::string ReadWholeFile(const std::string& path) {
    // Others (the game server) may have the file open: share everything, we only read.
    unique_hfile file(ValidOrNull(CreateFileA(path.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                              nullptr)));
    if (!file) throw FileError(path, GetLastError());

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) throw FileError(path, GetLastError());
    std::string text;
    text.reserve(static_cast<size_t>(size.QuadPart));

    char chunk[1 << 16];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr))
            throw FileError(path, GetLastError());
        if (read == 0) break;
        text.append(chunk, read);
    }
    return text;
}

namespace {

class Win32SaveFileSystem final : public SaveFileSystem {
public:
    DWORD CreateTemporary(const std::string& path, HANDLE& file) override {
        file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    DWORD Write(HANDLE file, const std::string& data) override {
        for (size_t done = 0; done < data.size();) {
            const DWORD part = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file, data.data() + done, part, &written, nullptr)) return GetLastError();
            if (written == 0) return ERROR_WRITE_FAULT;
            done += written;
        }
        return ERROR_SUCCESS;
    }
    DWORD Flush(HANDLE file) override {
        return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
    }
    DWORD Close(HANDLE file) override {
        return CloseHandle(file) ? ERROR_SUCCESS : GetLastError();
    }
    DWORD Replace(const std::string& from, const std::string& to) override {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? ERROR_SUCCESS
                   : GetLastError();
    }
    DWORD Remove(const std::string& path) override {
        return DeleteFileA(path.c_str()) ? ERROR_SUCCESS : GetLastError();
    }
};

// The temporary file of one save: closed and removed on every way out unless it was put in place.
class TemporaryFile {
public:
    TemporaryFile(SaveFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (handle_) fs_.Close(handle_);
        if (created_ && !placed_) fs_.Remove(path_);
    }

    DWORD Create() {
        HANDLE h = nullptr;
        const DWORD code = fs_.CreateTemporary(path_, h);
        if (code == ERROR_SUCCESS) {
            handle_ = h;
            created_ = true;
        }
        return code;
    }
    DWORD Write(const std::string& data) { return fs_.Write(handle_, data); }
    DWORD Flush() { return fs_.Flush(handle_); }
    DWORD Close() { return fs_.Close(std::exchange(handle_, nullptr)); }
    DWORD PutInPlaceOf(const std::string& target) {
        const DWORD code = fs_.Replace(path_, target);
        placed_ = code == ERROR_SUCCESS;
        return code;
    }

private:
    SaveFileSystem& fs_;
    std::string path_;
    HANDLE handle_ = nullptr;
    bool created_ = false;
    bool placed_ = false;
};

}  // namespace

SaveFileSystem& Win32FileSystem() {
    static Win32SaveFileSystem fs;
    return fs;
}

SaveResult SaveFileAtomically(const std::string& path, const std::string& content, SaveFileSystem& fs) {
    // Beside the target, so that putting it in place is a rename on the same volume.
    TemporaryFile temporary(fs, path + ".saving");
    DWORD code = temporary.Create();
    if (code == ERROR_SUCCESS) code = temporary.Write(content);
    if (code == ERROR_SUCCESS) code = temporary.Flush();
    if (code == ERROR_SUCCESS) code = temporary.Close();
    if (code == ERROR_SUCCESS) code = temporary.PutInPlaceOf(path);
    if (code == ERROR_SUCCESS) return {};
    return {code, SystemMessage(code)};
}

}  // namespace rotaplex
