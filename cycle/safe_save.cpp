#include "cycle/safe_save.h"

#include <functional>
#include <memory>
#include <utility>

#include "cycle/file_rules.h"

namespace rotaplex {

namespace {

// A file the save made under a fresh name beside its target: removed on every way out unless it
// was put in place. It removes only what it created itself, never what was found at its name.
class Temporary {
public:
    explicit Temporary(FileSystem& fs) : fs_(fs) {}
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (!path_.empty() && !placed_) fs_.Remove(path_);
    }

    // Writes bytes to a new file beside target, owned and permitted as like.
    void Write(const std::string& target, const std::string& like, std::string_view bytes) {
        std::unique_ptr<WrittenFile> file;
        TakeFreshName(target, [&](const std::string& name) { file = fs_.Create(name, like); });
        file->Write(bytes);
        file->Finish();
    }
    // A second name for target's file; false where the file system has no such names.
    bool Link(const std::string& target) {
        try {
            TakeFreshName(target, [&](const std::string& name) { fs_.Link(target, name); });
            return true;
        } catch (const FileError& error) {
            if (error.Fault() == FileFault::Exists) throw;
            return false;
        }
    }
    void PutAt(const std::string& to) {
        fs_.Rename(path_, to);
        placed_ = true;
    }

private:
    // A few fresh names: one taken by chance (or planted) only costs another try.
    void TakeFreshName(const std::string& target, const std::function<void(const std::string&)>& make) {
        for (int attempt = 1;; ++attempt) {
            std::string name = TemporaryNameBeside(target);
            try {
                make(name);
                path_ = std::move(name);
                return;
            } catch (const FileError& error) {
                if (error.Fault() != FileFault::Exists || attempt == 8) throw;
            }
        }
    }

    FileSystem& fs_;
    std::string path_;
    bool placed_ = false;
};

// After the replace the save has happened: what is looked at then can no longer fail it.
FileStamp WrittenStamp(FileSystem& fs, const std::string& target, const std::string& content) {
    try {
        return StampOf(FileBytes{content, content.size(), fs.ReadHead(target, 0).WriteTime});
    } catch (const FileError&) {
        return {};  // unknown: the next save asks before it overwrites
    }
}

bool Holds(FileSystem& fs, const std::string& path, const std::string& bytes) {
    try {
        return fs.Read(path, bytes.size()).Bytes == bytes;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace

SaveOutcome SaveFailed(std::string path, std::string reason) {
    return {SaveOutcome::Status::Failed, std::move(path), std::move(reason), {}, {}, {}, false};
}

FileStamp StampOf(const FileBytes& read) { return {true, read.Size, read.WriteTime, HashBytes(read.Bytes)}; }

SaveOutcome SaveGuarded(FileSystem& fs, const std::string& path, const std::string& content,
                        const FileStamp& asRead, bool overwriteChanged, uint64_t cap) {
    if (content.size() > cap) return SaveFailed(path, TooLargeToSaveReason(content.size(), cap));
    std::string concerned = path;
    bool backupReplaced = false;
    try {
        const std::string target = fs.FinalPath(path).value_or(path);
        std::optional<FileBytes> current;
        switch (fs.KindOf(target)) {
        case PathKind::Missing:
            break;
        case PathKind::File:
            current = fs.Read(target, cap);
            break;
        default:
            return SaveFailed(path, kNotAFileReason);
        }
        const FileStamp now = current ? StampOf(*current) : FileStamp{};
        if (!overwriteChanged && now != asRead) {
            const bool removed = asRead.Exists && !current;
            return {removed ? SaveOutcome::Status::RemovedOnDisk : SaveOutcome::Status::ChangedOnDisk, path, {}, {}, {}, {}, false};
        }

        Temporary fresh(fs);
        fresh.Write(target, target, content);
        // The replaced file gets its backup name before the new one takes its place: there is
        // no moment without either. Where there are no second names, a copy of what was read.
        const std::string backup = BackupPath(target);
        Temporary kept(fs);
        const bool linked = current && kept.Link(target);
        if (current) {
            if (!linked) kept.Write(target, target, current->Bytes);
            concerned = backup;
            kept.PutAt(backup);
            backupReplaced = true;
            concerned = path;
        }
        fresh.PutAt(target);

        // The new file is in place: nothing from here on undoes or fails the save.
        SaveOutcome saved{SaveOutcome::Status::Saved, path, {}, WrittenStamp(fs, target, content), {}, {}, false};
        try {
            fs.SyncFolder(FolderOf(target));
        } catch (const FileError& error) {
            saved.NotSynced = error.Reason();
        }
        // The backup is the replaced file itself, so what another program wrote into it after
        // the check shows there.
        if (linked && !Holds(fs, backup, current->Bytes)) saved.OtherVersionIn = backup;
        return saved;
    } catch (const FileError& error) {
        SaveOutcome failed = SaveFailed(concerned, error.Reason());
        failed.BackupReplaced = backupReplaced;
        return failed;
    }
}

}  // namespace rotaplex
