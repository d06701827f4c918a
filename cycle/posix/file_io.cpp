#include "cycle/posix/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "cycle/file_rules.h"
#include "cycle/posix/unique_fd.h"

namespace rotaplex::posix {

namespace {

uint64_t WriteTimeOf(const struct stat& status) {
    return static_cast<uint64_t>(status.st_mtim.tv_sec) * 1000000000u +
           static_cast<uint64_t>(status.st_mtim.tv_nsec);
}

[[noreturn]] void ThrowErrno(const std::string& path) {
    throw FileError(path, ErrnoText(errno));
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The path a save replaces: a symbolic link's final target, or path itself.
std::string Resolved(const std::string& path, AtLink atLink) {
    struct stat status{};
    if (atLink == AtLink::ReplaceLink || lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return path;
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    if (!real) ThrowErrno(path);
    return real.get();
}

// Gives the new file the replaced file's permissions and, where we may, its owner (a save by
// root must not take the file away from the server's user); a fresh file gets the usual mode.
void TakeOverPermissions(int fd, const std::string& target, const std::string& temporary) {
    struct stat status{};
    mode_t mode = 0;
    if (stat(target.c_str(), &status) == 0) {
        mode = status.st_mode & 07777;
        if (fchown(fd, status.st_uid, status.st_gid) != 0) {
            // Not ours to give away: the file then belongs to whoever saves it.
        }
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0) ThrowErrno(temporary);
}

void WriteAll(int fd, const std::string& content, const std::string& path) {
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            ThrowErrno(path);
        }
        done += static_cast<std::size_t>(written);
    }
}

void SyncFolder(const std::string& folder) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot sync a folder at all (EINVAL); the rename itself has happened.
    if (!fd || (fsync(fd.get()) != 0 && errno != EINVAL))
        throw FileError(folder, "saved, but the folder could not be synced: " + ErrnoText(errno));
}

// The temporary file of one save: removed on every way out unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) {
        const std::string beside = FolderOf(target) + "/" + target.substr(target.rfind('/') + 1);
        for (int attempt = 0; attempt < 16 && !fd_; ++attempt) {
            path_ = TemporaryNameBeside(beside);
            fd_.reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
            if (!fd_ && errno != EEXIST) ThrowErrno(path_);
        }
        if (!fd_) ThrowErrno(path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        fd_.reset();
        if (!placed_) ::unlink(path_.c_str());
    }

    int Fd() const { return fd_.get(); }
    const std::string& Path() const { return path_; }
    void Close() {
        if (::close(fd_.release()) != 0) ThrowErrno(path_);
    }
    void PutInPlaceOf(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) ThrowErrno(target);
        placed_ = true;
    }

private:
    std::string path_;
    UniqueFd fd_;
    bool placed_ = false;
};

}  // namespace

FileError::FileError(const std::string& path, const std::string& reason)
    : std::runtime_error(path + ": " + reason), path_(path), reason_(reason) {}

std::string ErrnoText(int code) {
    return std::strerror(code);
}

std::string ReadFileBounded(const std::string& path, std::uint64_t cap, FileStamp* stamp) {
    // Non-blocking so that opening a pipe returns at once; it is refused below.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd) ThrowErrno(path);
    struct stat status{};
    if (fstat(fd.get(), &status) != 0) ThrowErrno(path);
    if (!S_ISREG(status.st_mode)) throw FileError(path, kNotAFileReason);
    const auto size = static_cast<uint64_t>(status.st_size);
    if (size > cap) throw FileError(path, TooLargeReason(size, cap));
    std::string text(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t read = ::read(fd.get(), text.data() + done, text.size() - done);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) ThrowErrno(path);
        if (read == 0) break;  // shrunk meanwhile: what is there is what we have
        done += static_cast<std::size_t>(read);
    }
    text.resize(done);
    if (stamp) *stamp = {true, size, WriteTimeOf(status), HashBytes(text)};
    return text;
}

FileStamp StampOf(const std::string& path, std::uint64_t cap, std::string* content) {
    struct stat status{};
    if (stat(path.c_str(), &status) != 0 && errno == ENOENT) return {};
    FileStamp stamp;
    std::string text = ReadFileBounded(path, cap, &stamp);
    if (content) *content = std::move(text);
    return stamp;
}

void SaveFileAtomically(const std::string& path, const std::string& content, AtLink atLink) {
    const std::string target = Resolved(path, atLink);
    TemporaryFile temporary(target);
    TakeOverPermissions(temporary.Fd(), target, temporary.Path());
    WriteAll(temporary.Fd(), content, temporary.Path());
    if (fsync(temporary.Fd()) != 0) ThrowErrno(temporary.Path());
    temporary.Close();
    temporary.PutInPlaceOf(target);
    SyncFolder(FolderOf(target));
}

}  // namespace rotaplex::posix
