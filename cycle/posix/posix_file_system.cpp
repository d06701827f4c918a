#include "cycle/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "cycle/file_rules.h"
#include "cycle/posix/unique_fd.h"
#include "cycle/scenario_info.h"

namespace rotaplex::posix {

namespace {

constexpr char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

FileFault FaultOf(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return FileFault::NotFound;
    case EEXIST:
        return FileFault::Exists;
    case ENOMEM:
        return FileFault::OutOfMemory;
    default:
        return FileFault::Other;
    }
}

[[noreturn]] void ThrowErrno(const std::string& path) {
    const int code = errno;
    throw FileError(path, std::strerror(code), FaultOf(code));
}

uint64_t WriteTimeOf(const struct stat& status) {
    return static_cast<uint64_t>(status.st_mtim.tv_sec) * 1000000000u + static_cast<uint64_t>(status.st_mtim.tv_nsec);
}

PathKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return PathKind::File;
    if (S_ISDIR(mode)) return PathKind::Folder;
    return PathKind::Other;
}

// An ordinary file opened for reading, with its size and write time at that moment.
struct OpenedFile {
    UniqueFd Fd;
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
};

OpenedFile OpenForReading(const std::string& path) {
    // Non-blocking so that opening a pipe returns at once; it is refused below.
    OpenedFile opened{UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC))};
    if (!opened.Fd) ThrowErrno(path);
    struct stat status{};
    if (fstat(opened.Fd.get(), &status) != 0) ThrowErrno(path);
    if (!S_ISREG(status.st_mode)) throw FileError(path, kNotAFileReason, FileFault::NotAFile);
    opened.Size = static_cast<uint64_t>(status.st_size);
    opened.WriteTime = WriteTimeOf(status);
    return opened;
}

FileBytes ReadOpened(const OpenedFile& opened, uint64_t count, const std::string& path) {
    FileBytes read{{}, opened.Size, opened.WriteTime};
    try {
        read.Bytes.resize(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        throw FileError(path, std::strerror(ENOMEM), FileFault::OutOfMemory);
    }
    std::size_t done = 0;
    while (done < read.Bytes.size()) {
        const ssize_t part = ::read(opened.Fd.get(), read.Bytes.data() + done, read.Bytes.size() - done);
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) ThrowErrno(path);
        if (part == 0) break;  // shrunk meanwhile: what is there is what we have
        done += static_cast<std::size_t>(part);
    }
    read.Bytes.resize(done);
    return read;
}

// Gives the new file the permissions of like and, where we may, its owner (a save by root must
// not take the file away from the server's user); without like the usual mode of a new file.
void TakeOverPermissions(int fd, const std::string& like, const std::string& path) {
    struct stat status{};
    mode_t mode = 0;
    if (stat(like.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        mode = status.st_mode & 07777;
        if (fchown(fd, status.st_uid, status.st_gid) != 0) {
            // Not ours to give away: the file then belongs to whoever saves it.
        }
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0) ThrowErrno(path);
}

class PosixWrittenFile final : public WrittenFile {
public:
    PosixWrittenFile(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
    int Fd() const { return fd_.get(); }
    void Write(std::string_view bytes) override {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t written = ::write(fd_.get(), bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) ThrowErrno(path_);
            done += static_cast<std::size_t>(written);
        }
    }
    void Finish() override {
        if (fsync(fd_.get()) != 0) ThrowErrno(path_);
        if (::close(fd_.release()) != 0) ThrowErrno(path_);
    }

private:
    UniqueFd fd_;
    std::string path_;
};

// A lock on the first byte of the lock file, owned by the open file rather than the process (so
// that two sessions of one process exclude each other too): released by the system when the
// process ends however it ends, and seen by the Wine programs, whose locks are record locks of
// the same kind.
class PosixLock final : public FolderLock {
public:
    explicit PosixLock(UniqueFd fd) : fd_(std::move(fd)) {}

private:
    UniqueFd fd_;
};

// The path as Windows finds it, letter case aside: where the path as written names nothing, each
// missing part is the folder's name that equals it but for case (the first in NTFS order), so
// that a "ServerCycle.txt" or a "Resource" folder copied from Windows is found.
std::string AsWindowsFinds(const std::string& path) {
    struct stat status{};
    if (path.empty() || lstat(path.c_str(), &status) == 0 || errno != ENOENT) return path;
    std::string found(path.front() == '/' ? 1 : 0, '/');  // what is found so far, ending with "/"
    std::size_t start = found.size();
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        std::string candidate = found + part;
        if (lstat(candidate.c_str(), &status) != 0) {
            std::optional<std::string> match;
            const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(found.empty() ? "." : found.c_str()), &closedir);
            while (const dirent* entry = listing ? readdir(listing.get()) : nullptr) {
                const std::string_view name = entry->d_name;
                if (EqualsIgnoringCase(name, part) && (!match || NtfsNameLess(name, *match))) match = std::string(name);
            }
            if (!match) return path;
            candidate = found + *match;
        }
        found = std::move(candidate);
        if (end < path.size()) found += '/';
    }
    return found;
}

class PosixFiles final : public FileSystem {
public:
    char Separator() const override { return '/'; }

    PathKind KindOf(const std::string& written) override {
        const std::string path = AsWindowsFinds(written);
        struct stat status{};
        if (stat(path.c_str(), &status) == 0) return KindOfMode(status.st_mode);
        if (errno == ENOENT) return PathKind::Missing;
        ThrowErrno(path);
    }

    std::string MissingReason() const override { return std::strerror(ENOENT); }

    std::string PathFromCodePage(std::string_view text) const override { return std::string(text); }

    std::vector<ListedName> List(const std::string& written, std::string_view ending) override {
        const std::string folder = AsWindowsFinds(written);
        std::vector<ListedName> names;
        const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.c_str()), &closedir);
        if (!listing) return names;
        while (const dirent* entry = readdir(listing.get())) {
            const std::string_view name = entry->d_name;
            if (name.size() < ending.size() || !EqualsIgnoringCase(name.substr(name.size() - ending.size()), ending))
                continue;
            ListedName listed{std::string(name), std::string(name), PathKind::Missing, name.front() == '.'};
            struct stat status{};
            if (fstatat(dirfd(listing.get()), entry->d_name, &status, 0) == 0) {
                listed.Kind = KindOfMode(status.st_mode);
                listed.Size = static_cast<uint64_t>(status.st_size);
                listed.WriteTime = WriteTimeOf(status);
            }
            names.push_back(std::move(listed));
        }
        std::sort(names.begin(), names.end(),
                  [](const ListedName& a, const ListedName& b) { return NtfsNameLess(a.Name, b.Name); });
        return names;
    }

    FileBytes Read(const std::string& path, uint64_t cap) override {
        const OpenedFile opened = OpenForReading(AsWindowsFinds(path));
        if (opened.Size > cap) throw FileError(path, TooLargeReason(opened.Size, cap), FileFault::TooLarge);
        return ReadOpened(opened, opened.Size, path);
    }

    FileBytes ReadHead(const std::string& path, uint64_t most) override {
        const OpenedFile opened = OpenForReading(AsWindowsFinds(path));
        return ReadOpened(opened, std::min(most, opened.Size), path);
    }

    std::optional<std::string> FinalPath(const std::string& written) override {
        const std::string path = AsWindowsFinds(written);
        struct stat status{};
        if (lstat(path.c_str(), &status) != 0) {
            if (FaultOf(errno) == FileFault::NotFound) return std::nullopt;
            ThrowErrno(path);
        }
        const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
        if (!real) ThrowErrno(path);
        return std::string(real.get());
    }

    bool IsLink(const std::string& path) override {
        struct stat status{};
        return lstat(AsWindowsFinds(path).c_str(), &status) == 0 && S_ISLNK(status.st_mode);
    }

    std::unique_ptr<WrittenFile> Create(const std::string& path, const std::string& like) override {
        UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd) ThrowErrno(path);
        auto file = std::make_unique<PosixWrittenFile>(std::move(fd), path);
        try {
            TakeOverPermissions(file->Fd(), like, path);
        } catch (const FileError&) {
            file.reset();
            ::unlink(path.c_str());
            throw;
        }
        return file;
    }

    void Link(const std::string& existing, const std::string& path) override {
        if (::link(existing.c_str(), path.c_str()) != 0) ThrowErrno(path);
    }

    void Rename(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) ThrowErrno(to);
    }

    bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    void MakeFolder(const std::string& path) override {
        if (::mkdir(path.c_str(), 0777) == 0) return;
        const int failed = errno;
        struct stat status{};
        if (failed == EEXIST && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return;
        errno = failed;
        ThrowErrno(path);
    }

    void SyncFolder(const std::string& folder) override {
        // The names are in place whatever this says; some file systems cannot sync a folder.
        const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd) fsync(fd.get());
    }

    std::unique_ptr<FolderLock> TryLock(const std::string& path) override {
        UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!fd) return std::make_unique<NoLock>();
        struct flock range{};
        range.l_type = F_WRLCK;
        range.l_whence = SEEK_SET;
        range.l_start = 0;
        range.l_len = 1;
        if (fcntl(fd.get(), F_OFD_SETLK, &range) != 0) return nullptr;
        return std::make_unique<PosixLock>(std::move(fd));
    }

    void Pause() override {
        const timespec moment{0, 50'000'000};
        nanosleep(&moment, nullptr);
    }
};

}  // namespace

bool NtfsNameLess(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return static_cast<unsigned char>(UpperChar(c)); };
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return upper(x) == upper(y); });
    if (mismatch.first == a.end() || mismatch.second == b.end()) {
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    }
    return upper(*mismatch.first) < upper(*mismatch.second);
}

FileSystem& PosixFileSystem() {
    static PosixFiles files;
    return files;
}

}  // namespace rotaplex::posix
