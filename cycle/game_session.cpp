#include "cycle/game_session.h"

#include <utility>

#include "cycle/file_rules.h"
#include "cycle/rotation_file.h"
#include "cycle/scenario_info.h"
#include "cycle/unified_diff.h"

namespace rotaplex {

namespace {

constexpr std::string_view kRotationFile = "servercycle.txt";
constexpr std::string_view kMissionEnding = ".nfo";
// A save takes milliseconds: a lock held longer than this belongs to a save that is stuck.
constexpr int kLockTries = 100;

// Whether an entry could name the file: what the listing gives that the game would never read
// is passed over without a word.
bool IsCandidate(const ListedName& listed) {
    return EndsWithIgnoringCase(listed.Name, kMissionEnding) && !listed.Hidden && listed.Kind != PathKind::Folder &&
           listed.Kind != PathKind::Missing && listed.InCodePage && IsWindowsFileName(listed.Name);
}

// The session's lock, telling the session while it is held.
class SessionLock final : public FolderLock {
public:
    SessionLock(std::unique_ptr<FolderLock> held, bool& flag) : held_(std::move(held)), flag_(flag) { flag_ = true; }
    ~SessionLock() override { flag_ = false; }

private:
    std::unique_ptr<FolderLock> held_;
    bool& flag_;
};

// The folder's mission files, as the scan and the stamp both take them.
std::vector<ListedName> ListMissionFiles(FileSystem& fs, const std::string& gameFolder) {
    std::vector<ListedName> listed = fs.List(MissionsFolder(gameFolder, fs.Separator()) + fs.Separator(), kMissionEnding);
    std::erase_if(listed, [](const ListedName& name) { return !IsCandidate(name); });
    return listed;
}

// The names, sizes and write times of the files the scan reads, hashed.
uint64_t StampOfListing(const std::vector<ListedName>& listing) {
    std::string facts;
    for (const ListedName& listed : listing) {
        facts.append(listed.Name).append(1, '\0');
        facts.append(std::to_string(listed.Size)).append(1, ' ').append(std::to_string(listed.WriteTime)).append(1, '\n');
    }
    return HashBytes(facts);
}

MissionCatalogue ScanListing(FileSystem& fs, const std::string& gameFolder, const std::vector<ListedName>& listing,
                             Reporter& reporter, ScanProgress* progress) {
    MissionCatalogue catalogue;
    const std::string folder = MissionsFolder(gameFolder, fs.Separator()) + fs.Separator();
    if (progress) progress->Listed = listing.size();
    for (const ListedName& listed : listing) {
        if (progress && progress->Stop) break;
        if (!catalogue.AddMissionFile(*listed.InCodePage)) break;
        const std::string path = folder + listed.Name;
        try {
            // A device is never opened: opening one may wait for ever.
            if (IsDeviceName(listed.Name) || listed.Kind == PathKind::Other)
                throw FileError(path, kNotAFileReason, FileFault::NotAFile);
            const FileBytes file = fs.ReadListed(path, listed, kMissionFileCap);
            const MissionFileOutcome outcome = catalogue.ParseMissionFile(file.Bytes, *listed.InCodePage);
            if (!outcome.HasSection) reporter.Report(MissingScenariosMessage(path));
            if (outcome.MissingServer) reporter.Report(MissingServerMessage(path));
        } catch (const FileError& error) {
            reporter.ReportUnread(error.Path(), error.Reason());
        }
        if (progress) ++progress->Read;
    }
    return catalogue;
}

}  // namespace

MissionCatalogue ScanMissions(FileSystem& fs, const std::string& gameFolder, Reporter& reporter) {
    return ScanListing(fs, gameFolder, ListMissionFiles(fs, gameFolder), reporter, nullptr);
}

GameSession::GameSession(FileSystem& fs, std::string gameFolder)
    : GameSession(fs, gameFolder, rotaplex::RotationPath(gameFolder)) {}

GameSession::GameSession(FileSystem& fs, std::string gameFolder, std::string rotationPath)
    : fs_(fs), folder_(std::move(gameFolder)), rotationPath_(std::move(rotationPath)) {}

std::string MissionsFolder(const std::string& gameFolder, char separator) {
    return gameFolder + "resource" + separator + "missions";
}

std::string RotationPath(const std::string& gameFolder) { return gameFolder + std::string(kRotationFile); }

void GameSession::ReadMissions(Reporter& reporter, ScanProgress* progress) {
    // Stamped from the listing the scan reads: a file changed during the scan shows as changed
    // at the next check.
    const std::vector<ListedName> listing = ListMissionFiles(fs_, folder_);
    missionsRead_ = StampOfListing(listing);
    catalogue_ = ScanListing(fs_, folder_, listing, reporter, progress);
}

void GameSession::RereadMissions(Reporter& reporter) {
    ReadMissions(reporter);
    document_.Rematch(catalogue_);
}

OutsideChanges GameSession::CheckOutside() {
    OutsideChanges changes;
    changes.Missions = StampOfListing(ListMissionFiles(fs_, folder_)) != missionsRead_;
    try {
        const FileBytes head = fs_.ReadHead(RotationPath(), 0);
        if (!seen_.Exists || head.Size != seen_.Size || head.WriteTime != seen_.WriteTime) {
            const FileBytes now = fs_.Read(RotationPath(), kRotationFileCap);
            changes.Rotation = StampOf(now).Hash != seen_.Hash || !seen_.Exists;
        }
    } catch (const FileError& error) {
        changes.RotationRemoved = error.Fault() == FileFault::NotFound && seen_.Exists;
        removed_ = removed_ || changes.RotationRemoved;
        // Another fault (a file grown past the cap, held open): a change, which reading tells.
        changes.Rotation = error.Fault() != FileFault::NotFound;
    }
    return changes;
}

FileBytes GameSession::ReadRotationBytes() {
    const std::string path = RotationPath();
    FileBytes file = fs_.Read(path, kRotationFileCap);
    // Written back, it would become a mixture of two encodings.
    if (LooksLikeUtf16(file.Bytes)) throw FileError(path, kUtf16Reason, FileFault::Other);
    return file;
}

void GameSession::KeepMine() {
    try {
        seen_ = StampOf(fs_.Read(RotationPath(), kRotationFileCap));
    } catch (const FileError&) {
        seen_ = {};  // gone or unreadable: told again only when it comes back
    }
}

std::string GameSession::DiffWithDisk() {
    std::string onDisk;
    try {
        onDisk = ReadRotationBytes().Bytes;
    } catch (const FileError& error) {
        if (error.Fault() != FileFault::NotFound) throw;
    }
    return UnifiedDiff(onDisk, document_.Text(), RotationPath());
}

bool GameSession::ReloadRotation() {
    FileBytes file = ReadRotationBytes();
    read_ = seen_ = StampOf(file);
    removed_ = false;
    const bool changed = document_.ReplaceText(file.Bytes, catalogue_);
    textAsRead_ = std::move(file.Bytes);
    document_.MarkSaved();
    return changed;
}

void GameSession::ReadRotation(Reporter& reporter, bool missingFails) {
    ReadRotationFile(missingFails);
    ParseRotation(reporter);
}

void GameSession::ReadRotationFile(bool missingFails) {
    FileBytes file;
    try {
        file = ReadRotationBytes();
    } catch (const FileError& error) {
        if (missingFails || error.Fault() != FileFault::NotFound) throw;
        textAsRead_.clear();
        read_ = seen_ = {};
        removed_ = false;
        return;
    }
    read_ = seen_ = StampOf(file);
    removed_ = false;
    textAsRead_ = std::move(file.Bytes);
}

void GameSession::ParseRotation(Reporter& reporter) {
    const std::string path = RotationPath();
    document_ = read_.Exists ? RotationDocument::Read(textAsRead_, catalogue_) : RotationDocument{};
    if (!document_.HeaderFound() && !IsBlankText(textAsRead_)) reporter.Report(MissingHeaderMessage(path));
    if (document_.UnlistedEntryCount() > 0) reporter.Report(UnlistedEntriesMessage(path, document_.UnlistedEntryCount()));
}

std::unique_ptr<FolderLock> GameSession::Lock() {
    const std::string path = RotationPath() + ".lock";
    for (int attempt = 1;; ++attempt) {
        if (std::unique_ptr<FolderLock> held = fs_.TryLock(path)) return std::make_unique<SessionLock>(std::move(held), locked_);
        if (attempt == kLockTries) throw FileError(RotationPath(), kBusyReason, FileFault::Busy);
        fs_.Pause();
    }
}

std::vector<std::string> GameSession::LeftoverTemporaries() const {
    std::vector<std::string> found;
    // Beside the file a link leads to, where its saves are made; else in the folder as written.
    const std::string path = RotationPath();
    const std::string target = fs_.IsLink(path) ? fs_.FinalPath(path).value_or(path) : path;
    const std::string folder = FolderPath(FolderOf(target), fs_.Separator());
    const std::string name = target.substr(target.find_last_of("\\/") + 1);
    for (const ListedName& listed : fs_.List(folder, ".tmp"))
        if (listed.Kind == PathKind::File && IsTemporaryNameOf(listed.Name, name)) found.push_back(folder + listed.Name);
    return found;
}

bool GameSession::HasUnsaved() const { return document_.Changed() || !read_.Exists || removed_; }

SaveOutcome GameSession::Save(bool overwriteChanged) {
    const std::string path = RotationPath();
    // Nothing changed: the file and its backup stay as they are.
    if (!HasUnsaved()) return {SaveOutcome::Status::Saved, path, {}, read_, {}, {}, false};
    std::unique_ptr<FolderLock> lock;
    try {
        if (!locked_) lock = Lock();
        // A link is followed only to a rotation: a planted one must not turn a save into a write
        // on some other file.
        if (!textAsRead_.empty() && !HasCycleHeader(textAsRead_)) {
            if (fs_.IsLink(path))
                return SaveFailed(path, NotARotationLinkReason(fs_.FinalPath(path).value_or(path)));
        }
        // Under the lock no other Rotaplex program is saving: what is found of its temporaries
        // was left by a save that was cut short.
        for (const std::string& leftover : LeftoverTemporaries()) fs_.Remove(leftover);
    } catch (const FileError& error) {
        return SaveFailed(error.Path(), error.Reason());
    }
    std::string text = document_.Text();
    SaveOutcome saved = SaveGuarded(fs_, path, text, read_, overwriteChanged, kRotationFileCap);
    if (saved) {
        read_ = seen_ = saved.Written;
        removed_ = false;
        textAsRead_ = std::move(text);
        document_.MarkSaved();
    }
    return saved;
}

}  // namespace rotaplex
