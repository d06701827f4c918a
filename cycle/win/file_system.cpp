#include "cycle/win/file_system.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>

#include "cycle/file_rules.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

namespace {

uint64_t Combined(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// What reading and saving need to know of an open handle. GetFileInformationByHandle would also
// give it, but it asks for the volume's serial number too, which takes Wine about a millisecond
// per file: most of start-up for a thousand mission files.
struct HandleFacts {
    bool Directory = false;
    uint64_t Size = 0;
    uint64_t WriteTime = 0;  // only when asked for
};

std::optional<HandleFacts> FactsOf(HANDLE file, bool withWriteTime) {
    FILE_STANDARD_INFO standard{};
    if (!GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard)) return std::nullopt;
    HandleFacts facts{standard.Directory != FALSE, static_cast<uint64_t>(standard.EndOfFile.QuadPart), 0};
    if (withWriteTime) {
        FILE_BASIC_INFO basic{};
        if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) return std::nullopt;
        facts.WriteTime = static_cast<uint64_t>(basic.LastWriteTime.QuadPart);
    }
    return facts;
}

// A file opened for reading, with its size and last write time at that moment.
struct OpenedFile {
    unique_hfile File;
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
};

// Only ordinary files on a disk: a device name is refused before it is opened (opening one may
// wait for ever), and whatever the name led to must be a disk file (a link may lead to a device).
// Throws FileError; ERROR_FILE_NOT_FOUND and ERROR_PATH_NOT_FOUND mean that nothing is there.
OpenedFile OpenForReading(const std::string& path) {
    if (NamesDevice(path)) throw FileError(path, ERROR_BAD_FILE_TYPE, kNotAFileReason);
    // Others (the game server) may have the file open: share everything, we only read.
    OpenedFile opened{unique_hfile(ValidOrNull(CreateFileW(
        ExtendedPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)))};
    if (!opened.File) throw FileError(path, GetLastError());
    if (GetFileType(opened.File.get()) != FILE_TYPE_DISK) throw FileError(path, ERROR_BAD_FILE_TYPE, kNotAFileReason);
    const std::optional<HandleFacts> facts = FactsOf(opened.File.get(), true);
    if (!facts) throw FileError(path, GetLastError());
    if (facts->Directory) throw FileError(path, ERROR_BAD_FILE_TYPE, kNotAFileReason);
    opened.Size = facts->Size;
    opened.WriteTime = facts->WriteTime;
    return opened;
}

// Up to count bytes from the file's current position; fewer when it ends sooner.
std::string ReadBytes(const OpenedFile& opened, uint64_t count, const std::string& path) {
    std::string bytes;
    try {
        bytes.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        throw FileError(path, ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::length_error&) {
        throw FileError(path, ERROR_NOT_ENOUGH_MEMORY);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD read = 0;
        if (!ReadFile(opened.File.get(), bytes.data() + done, part, &read, nullptr)) throw FileError(path, GetLastError());
        if (read == 0) break;  // it shrank since it was opened
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

void RefuseAboveCap(const OpenedFile& opened, uint64_t cap, const std::string& path) {
    if (opened.Size > cap) throw FileError(path, ERROR_FILE_TOO_LARGE, TooLargeReason(opened.Size, cap));
}

bool IsMissing(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

}  // namespace

FileRead ReadFileStamped(const std::string& path, uint64_t cap) {
    const OpenedFile opened = OpenForReading(path);
    RefuseAboveCap(opened, cap, path);
    FileRead read{ReadBytes(opened, opened.Size, path), {}};
    read.Stamp = {true, opened.Size, opened.WriteTime, HashBytes(read.Bytes)};
    return read;
}

// Without the stamp: its hash costs a multiplication per byte, and mission files need none.
std::string ReadWholeFile(const std::string& path, uint64_t cap) {
    const OpenedFile opened = OpenForReading(path);
    RefuseAboveCap(opened, cap, path);
    return ReadBytes(opened, opened.Size, path);
}

std::string ReadFileHead(const std::string& path, uint64_t most, uint64_t& size) {
    const OpenedFile opened = OpenForReading(path);
    size = opened.Size;
    return ReadBytes(opened, std::min(most, opened.Size), path);
}

FileStamp CurrentStamp(const std::string& path, const FileStamp& known) {
    try {
        const OpenedFile opened = OpenForReading(path);
        FileStamp now{true, opened.Size, opened.WriteTime, 0};
        if (now.Size == known.Size) now.Hash = HashBytes(ReadBytes(opened, opened.Size, path));
        return now;
    } catch (const FileError& error) {
        if (IsMissing(error.Code())) return {};
        throw;
    }
}

namespace {

// What a replaced file keeps of its own attributes.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Win32SaveFileSystem final : public SaveFileSystem {
public:
    std::string TemporaryName(const std::string& target) override {
        return TemporaryNameBeside(target);
    }
    DWORD CreateTemporary(const std::string& path, HANDLE& file) override {
        file = CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
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
    DWORD Flush(HANDLE file) override { return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError(); }
    DWORD Close(HANDLE file) override { return CloseHandle(file) ? ERROR_SUCCESS : GetLastError(); }
    DWORD Replace(const std::string& from, const std::string& to, const std::string& backup) override {
        const std::wstring target = ExtendedPath(to);
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (!ReplaceFileW(target.c_str(), ExtendedPath(from).c_str(), ExtendedPath(backup).c_str(),
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return GetLastError();
        // Windows keeps them itself; Wine, where many of the game's servers run, does not.
        const DWORD now = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && now != INVALID_FILE_ATTRIBUTES &&
            (now & kKeptAttributes) != (attributes & kKeptAttributes))
            SetFileAttributesW(target.c_str(), (now & ~kKeptAttributes) | (attributes & kKeptAttributes));
        return ERROR_SUCCESS;
    }
    DWORD Move(const std::string& from, const std::string& to) override {
        return MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), MOVEFILE_WRITE_THROUGH)
                   ? ERROR_SUCCESS
                   : GetLastError();
    }
    DWORD Remove(const std::string& path) override {
        return DeleteFileW(ExtendedPath(path).c_str()) ? ERROR_SUCCESS : GetLastError();
    }
};

// The temporary file of one save: closed and removed on every way out unless it was put in
// place. It removes only a file it created itself, never what was found at its name.
class TemporaryFile {
public:
    explicit TemporaryFile(SaveFileSystem& fs) : fs_(fs) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (handle_) fs_.Close(handle_);
        if (!path_.empty() && !placed_) fs_.Remove(path_);
    }

    // A few fresh names: one taken by chance (or planted) only costs another try.
    DWORD Create(const std::string& target) {
        DWORD code = ERROR_FILE_EXISTS;
        for (int attempt = 0; attempt < 4 && code == ERROR_FILE_EXISTS; ++attempt) {
            const std::string name = fs_.TemporaryName(target);
            HANDLE h = nullptr;
            code = fs_.CreateTemporary(name, h);
            if (code == ERROR_SUCCESS) {
                handle_ = h;
                path_ = name;
            }
        }
        return code;
    }
    DWORD Write(const std::string& data) { return fs_.Write(handle_, data); }
    DWORD Flush() { return fs_.Flush(handle_); }
    DWORD Close() { return fs_.Close(std::exchange(handle_, nullptr)); }
    DWORD ReplaceExisting(const std::string& target);
    DWORD Move(const std::string& target) { return Placed(fs_.Move(path_, target)); }

private:
    DWORD Placed(DWORD code) {
        placed_ = code == ERROR_SUCCESS;
        return code;
    }

    SaveFileSystem& fs_;
    std::string path_;
    HANDLE handle_ = nullptr;
    bool placed_ = false;
};

DWORD TemporaryFile::ReplaceExisting(const std::string& target) {
    const std::string backup = BackupPath(target);
    const DWORD code = Placed(fs_.Replace(path_, target, backup));
    if (code == ERROR_FILE_NOT_FOUND) return Move(target);  // gone since it was looked at
    if (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file went to the backup but ours could not follow: ours, or else the old one, goes back.
        if (Move(target) == ERROR_SUCCESS) return ERROR_SUCCESS;
        fs_.Move(backup, target);
    }
    return code;
}

// What is at path, links followed: its final path ("\\?\" form) when it is there, else nothing.
// Throws FileError when it is there but is no ordinary disk file, which a save must never replace.
std::optional<std::string> ExistingTarget(const std::string& path) {
    if (NamesDevice(path)) throw FileError(path, ERROR_BAD_FILE_TYPE, kNotAFileReason);
    unique_hfile file(ValidOrNull(CreateFileW(ExtendedPath(path).c_str(), 0,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    if (!file) return std::nullopt;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) throw FileError(path, ERROR_BAD_FILE_TYPE, kNotAFileReason);
    const std::optional<HandleFacts> facts = FactsOf(file.get(), false);
    if (!facts || facts->Directory) throw FileError(path, ERROR_BAD_FILE_TYPE, kNotAFileReason);
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            // Only a plain file may then be replaced by its own name: replacing a link by name would
            // move the file it points to.
            const DWORD code = GetLastError();
            if (GetFileAttributesW(ExtendedPath(path).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)
                throw FileError(path, code);
            return path;
        }
        if (length < final.size()) {
            final.resize(length);
            return Utf8(final);
        }
        final.resize(length);
    }
}

// The stamp of what was just written at target.
FileStamp WrittenStamp(const std::string& target, const std::string& content) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(ExtendedPath(target).c_str(), GetFileExInfoStandard, &data)) return {};
    return {true, Combined(data.nFileSizeHigh, data.nFileSizeLow),
            Combined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime), HashBytes(content)};
}

SaveResult Failed(DWORD code, std::string reason) { return {SaveStatus::Failed, code, std::move(reason), {}}; }

}  // namespace

SaveFileSystem& Win32FileSystem() {
    static Win32SaveFileSystem fs;
    return fs;
}

SaveResult SaveFileAtomically(const std::string& path, const std::string& content, SaveFileSystem& fs) {
    std::optional<std::string> existing;
    try {
        existing = ExistingTarget(path);
    } catch (const FileError& error) {
        return Failed(error.Code(), error.Reason());
    }
    // Beside the file itself, so that putting it in place is a rename on the same volume.
    const std::string target = existing.value_or(path);
    TemporaryFile temporary(fs);
    DWORD code = temporary.Create(target);
    if (code == ERROR_SUCCESS) code = temporary.Write(content);
    if (code == ERROR_SUCCESS) code = temporary.Flush();
    if (code == ERROR_SUCCESS) code = temporary.Close();
    if (code == ERROR_SUCCESS) code = existing ? temporary.ReplaceExisting(target) : temporary.Move(target);
    if (code != ERROR_SUCCESS) return Failed(code, SystemMessage(code));
    return {SaveStatus::Saved, ERROR_SUCCESS, {}, WrittenStamp(target, content)};
}

SaveResult SaveFileGuarded(const std::string& path, const std::string& content, const FileStamp& read,
                           bool overwriteChanged, SaveFileSystem& fs) {
    if (!overwriteChanged) {
        try {
            if (CurrentStamp(path, read) != read) return {SaveStatus::ChangedOnDisk, ERROR_SUCCESS, {}, {}};
        } catch (const FileError& error) {
            return Failed(error.Code(), error.Reason());
        }
    }
    return SaveFileAtomically(path, content, fs);
}

}  // namespace rotaplex
