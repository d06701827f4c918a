#include "cycle/win/windows_file_system.h"

#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <new>

#include "cycle/file_rules.h"
#include "cycle/scenario_info.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

namespace {

// What a new file takes over from the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

FileFault FaultOf(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return FileFault::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return FileFault::Exists;
    case ERROR_NOT_ENOUGH_MEMORY:
        return FileFault::OutOfMemory;
    default:
        return FileFault::Other;
    }
}

[[noreturn]] void Throw(const std::string& path, DWORD code) {
    throw FileError(path, SystemMessage(code), FaultOf(code));
}
[[noreturn]] void ThrowLast(const std::string& path) { Throw(path, GetLastError()); }
[[noreturn]] void ThrowNotAFile(const std::string& path) {
    throw FileError(path, kNotAFileReason, FileFault::NotAFile);
}

// What reading and saving need to know of an open handle. GetFileInformationByHandle would also
// give it, but it asks for the volume's serial number too, which takes Wine about a millisecond
// per file: most of start-up for a thousand mission files.
struct HandleFacts {
    bool Directory = false;
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
};

bool FactsOf(HANDLE file, HandleFacts& facts, bool withWriteTime) {
    FILE_STANDARD_INFO standard{};
    if (!GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard)) return false;
    facts.Directory = standard.Directory != FALSE;
    facts.Size = static_cast<uint64_t>(standard.EndOfFile.QuadPart);
    if (!withWriteTime) return true;
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) return false;
    facts.WriteTime = static_cast<uint64_t>(basic.LastWriteTime.QuadPart);
    return true;
}

// Whatever a path leads to, opened without asking to read it; empty when nothing is there.
unique_hfile OpenToLookAt(const std::string& path) {
    unique_hfile file(ValidOrNull(CreateFileW(ExtendedPath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    if (!file && FaultOf(GetLastError()) != FileFault::NotFound) ThrowLast(path);
    return file;
}

// Only ordinary files on a disk: a device name is refused before it is opened (opening one may
// wait for ever), and whatever the name led to must be a disk file (a link may lead to a device).
struct OpenedFile {
    unique_hfile File;
    HandleFacts Facts;
};

OpenedFile OpenForReading(const std::string& path) {
    if (NamesDevice(path)) ThrowNotAFile(path);
    // Others (the game server) may have the file open: share everything, we only read.
    OpenedFile opened{unique_hfile(ValidOrNull(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))),
                      {}};
    if (!opened.File) {
        const DWORD code = GetLastError();
        const DWORD attributes = GetFileAttributesW(ExtendedPath(path).c_str());
        // A folder cannot be opened as a file at all.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) ThrowNotAFile(path);
        Throw(path, code);
    }
    if (GetFileType(opened.File.get()) != FILE_TYPE_DISK) ThrowNotAFile(path);
    if (!FactsOf(opened.File.get(), opened.Facts, true)) ThrowLast(path);
    if (opened.Facts.Directory) ThrowNotAFile(path);
    return opened;
}

// Up to count bytes from the file's start into bytes; fewer when it is shorter.
void ReadUpTo(HANDLE file, uint64_t count, std::string& bytes, const std::string& path) {
    try {
        bytes.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        Throw(path, ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::length_error&) {
        Throw(path, ERROR_NOT_ENOUGH_MEMORY);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, part, &got, nullptr)) ThrowLast(path);
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
}

// Up to count bytes from the file's start; fewer when it shrank since it was opened.
FileBytes ReadOpened(const OpenedFile& opened, uint64_t count, const std::string& path) {
    FileBytes read{{}, opened.Facts.Size, opened.Facts.WriteTime};
    ReadUpTo(opened.File.get(), count, read.Bytes, path);
    return read;
}

struct FreeLocal {
    void operator()(PSECURITY_DESCRIPTOR memory) const { LocalFree(memory); }
};

// The new file gets the access rules of the one it replaces, so that a save never makes the
// rotation more readable than it was. Where the system keeps none to copy, the folder's apply.
void TakeOverSecurity(HANDLE file, const std::string& like) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(ExtendedPath(like).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    const std::unique_ptr<void, FreeLocal> owned(descriptor);
    SetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl, nullptr);
}

class WindowsWrittenFile final : public WrittenFile {
public:
    WindowsWrittenFile(unique_hfile file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}
    void Write(std::string_view bytes) override {
        for (size_t done = 0; done < bytes.size();) {
            const DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data() + done, part, &written, nullptr)) ThrowLast(path_);
            if (written == 0) Throw(path_, ERROR_WRITE_FAULT);
            done += written;
        }
    }
    void Finish() override {
        if (!FlushFileBuffers(file_.get())) ThrowLast(path_);
        if (!CloseHandle(file_.release())) ThrowLast(path_);
    }

private:
    unique_hfile file_;
    std::string path_;
};

// A lock on the first byte of the lock file: the system releases it when the process ends,
// however it ends; under Wine it is also a record lock that the native rotaplex-cli sees.
class WindowsLock final : public FolderLock {
public:
    explicit WindowsLock(unique_hfile file) : file_(std::move(file)) {}
    ~WindowsLock() override {
        OVERLAPPED first{};
        UnlockFileEx(file_.get(), 0, 1, 0, &first);
    }

private:
    unique_hfile file_;
};

class WindowsFiles final : public FileSystem {
public:
    char Separator() const override { return '\\'; }

    PathKind KindOf(const std::string& path) override {
        if (NamesDevice(path)) return PathKind::Other;
        const unique_hfile file = OpenToLookAt(path);
        if (!file) return PathKind::Missing;
        if (GetFileType(file.get()) != FILE_TYPE_DISK) return PathKind::Other;
        HandleFacts facts;
        if (!FactsOf(file.get(), facts, false)) ThrowLast(path);
        return facts.Directory ? PathKind::Folder : PathKind::File;
    }

    std::string MissingReason() const override { return SystemMessage(ERROR_FILE_NOT_FOUND); }

    std::string PathFromCodePage(std::string_view text) const override { return Utf8FromAnsi(text); }

    std::vector<ListedName> List(const std::string& folder, std::string_view ending) override {
        std::vector<ListedName> names;
        const std::string pattern = folder + "*" + std::string(ending);
        WIN32_FIND_DATAW found{};
        // The basic information leaves out the short names, which the listing would look up.
        unique_hfind search(ValidOrNull(FindFirstFileExW(ExtendedPath(pattern).c_str(), FindExInfoBasic, &found,
                                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)));
        if (!search) return names;
        std::string ansi;
        do {
            ListedName listed{Utf8(found.cFileName), std::nullopt, PathKind::File,
                              (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0};
            if (ToAnsi(found.cFileName, ansi)) listed.InCodePage = ansi;
            listed.Size = (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
            listed.WriteTime = (uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) | found.ftLastWriteTime.dwLowDateTime;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                listed.Kind = PathKind::Folder;
            else if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                listed.Kind = KindOf(folder + listed.Name);  // a link: what it leads to
            names.push_back(std::move(listed));
        } while (FindNextFileW(search.get(), &found));
        return names;
    }

    FileBytes Read(const std::string& path, uint64_t cap) override {
        const OpenedFile opened = OpenForReading(path);
        if (opened.Facts.Size > cap)
            throw FileError(path, TooLargeReason(opened.Facts.Size, cap), FileFault::TooLarge);
        return ReadOpened(opened, opened.Facts.Size, path);
    }

    // Under Wine each question about an open file costs about as much as reading a small one:
    // only the open and the read are left, and a file that grew since it was listed is read
    // again the full way.
    FileBytes ReadListed(const std::string& path, const ListedName& listed, uint64_t cap) override {
        if (listed.Size > cap) throw FileError(path, TooLargeReason(listed.Size, cap), FileFault::TooLarge);
        if (NamesDevice(path)) ThrowNotAFile(path);
        const unique_hfile file(ValidOrNull(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
        if (!file) return Read(path, cap);  // which tells why
        FileBytes read{{}, listed.Size, listed.WriteTime};
        ReadUpTo(file.get(), listed.Size + 1, read.Bytes, path);
        if (read.Bytes.size() > listed.Size) return Read(path, cap);
        read.Size = read.Bytes.size();
        return read;
    }

    FileBytes ReadHead(const std::string& path, uint64_t most) override {
        const OpenedFile opened = OpenForReading(path);
        return ReadOpened(opened, std::min(most, opened.Facts.Size), path);
    }

    std::optional<std::string> FinalPath(const std::string& path) override {
        if (NamesDevice(path)) ThrowNotAFile(path);
        const unique_hfile file = OpenToLookAt(path);
        if (!file) return std::nullopt;
        std::wstring final(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            if (length == 0) {
                // Only a plain file may then be replaced by its own name: replacing a link by name
                // would put the new file in the link's place, away from the file it leads to.
                const DWORD code = GetLastError();
                if (GetFileAttributesW(ExtendedPath(path).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) Throw(path, code);
                return path;
            }
            if (length < final.size()) {
                final.resize(length);
                return Utf8(final);
            }
            final.resize(length);
        }
    }

    bool IsLink(const std::string& path) override {
        const DWORD attributes = GetFileAttributesW(ExtendedPath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return false;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
        // Wine shows a symbolic link of the host as the file it leads to: the final path tells.
        const std::optional<std::string> final = FinalPath(path);
        const std::optional<std::string> folder = FinalPath(FolderOf(path) + '\\');
        if (!final || !folder) return false;
        const std::string name = path.substr(path.find_last_of("\\/") + 1);
        return !EqualsIgnoringCase(*final, FolderPath(*folder, '\\') + name);
    }

    std::unique_ptr<WrittenFile> Create(const std::string& path, const std::string& like) override {
        const DWORD likeAttributes = GetFileAttributesW(ExtendedPath(like).c_str());
        const DWORD attributes = likeAttributes == INVALID_FILE_ATTRIBUTES || (likeAttributes & FILE_ATTRIBUTE_DIRECTORY)
                                     ? FILE_ATTRIBUTE_NORMAL
                                     : (likeAttributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE;
        unique_hfile file(ValidOrNull(CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE | WRITE_DAC, 0, nullptr,
                                                  CREATE_NEW, attributes, nullptr)));
        if (!file) ThrowLast(path);
        if (likeAttributes != INVALID_FILE_ATTRIBUTES) TakeOverSecurity(file.get(), like);
        return std::make_unique<WindowsWrittenFile>(std::move(file), path);
    }

    void Link(const std::string& existing, const std::string& path) override {
        if (!CreateHardLinkW(ExtendedPath(path).c_str(), ExtendedPath(existing).c_str(), nullptr)) ThrowLast(path);
    }

    void Rename(const std::string& from, const std::string& to) override {
        // One rename that replaces: never a moment without a file at to, under Wine too.
        if (!MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowLast(to);
    }

    bool Remove(const std::string& path) override { return DeleteFileW(ExtendedPath(path).c_str()) != FALSE; }

    void MakeFolder(const std::string& path) override {
        if (CreateDirectoryW(ExtendedPath(path).c_str(), nullptr)) return;
        const DWORD code = GetLastError();
        const DWORD attributes = GetFileAttributesW(ExtendedPath(path).c_str());
        if (code == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
        Throw(path, code);
    }

    // MOVEFILE_WRITE_THROUGH has made each rename durable already.
    void SyncFolder(const std::string&) override {}

    std::unique_ptr<FolderLock> TryLock(const std::string& path) override {
        // The link itself, never a file a planted link leads to.
        unique_hfile file(ValidOrNull(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                                  nullptr, OPEN_ALWAYS,
                                                  FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)));
        if (!file) return std::make_unique<NoLock>();
        OVERLAPPED first{};
        if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &first))
            return nullptr;
        return std::make_unique<WindowsLock>(std::move(file));
    }

    void Pause() override { Sleep(50); }
};

}  // namespace

FileSystem& WindowsFileSystem() {
    static WindowsFiles files;
    return files;
}

}  // namespace rotaplex
