#include "cycle/game_session.h"

#include <utility>

#include "cycle/file_rules.h"

namespace rotaplex {

namespace {

constexpr std::string_view kRotationFile = "servercycle.txt";
constexpr std::string_view kMissionEnding = ".nfo";
// A save takes milliseconds: a lock held longer than this belongs to a save that is stuck.
constexpr int kLockTries = 100;

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
    return name.size() > ending.size() && EqualsIgnoringCase(name.substr(name.size() - ending.size()), ending);
}

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

}  // namespace

MissionCatalogue ScanMissions(FileSystem& fs, const std::string& gameFolder, Reporter& reporter) {
    MissionCatalogue catalogue;
    const char separator = fs.Separator();
    const std::string folder = MissionsFolder(gameFolder, separator) + separator;
    for (ListedName& listed : fs.List(folder, kMissionEnding)) {
        if (!IsCandidate(listed)) continue;
        if (!catalogue.AddMissionFile(*listed.InCodePage)) break;
        const std::string path = folder + listed.Name;
        try {
            // A device is never opened: opening one may wait for ever.
            if (IsDeviceName(listed.Name) || listed.Kind == PathKind::Other)
                throw FileError(path, kNotAFileReason, FileFault::NotAFile);
            const FileBytes file = fs.Read(path, kMissionFileCap);
            const MissionFileOutcome outcome = catalogue.ParseMissionFile(file.Bytes, *listed.InCodePage);
            if (!outcome.HasSection) reporter.Report(MissingScenariosMessage(path));
            if (outcome.MissingServer) reporter.Report(MissingServerMessage(path));
        } catch (const FileError& error) {
            reporter.ReportUnread(error.Path(), error.Reason());
        }
    }
    return catalogue;
}

GameSession::GameSession(FileSystem& fs, std::string gameFolder) : fs_(fs), folder_(std::move(gameFolder)) {}

std::string MissionsFolder(const std::string& gameFolder, char separator) {
    return gameFolder + "resource" + separator + "missions";
}

std::string RotationPath(const std::string& gameFolder) { return gameFolder + std::string(kRotationFile); }

std::string GameSession::RotationPath() const { return rotaplex::RotationPath(folder_); }

void GameSession::ReadMissions(Reporter& reporter) { catalogue_ = ScanMissions(fs_, folder_, reporter); }

void GameSession::ReadRotation(Reporter& reporter, bool missingFails) {
    const std::string path = RotationPath();
    FileBytes file;
    try {
        file = fs_.Read(path, kRotationFileCap);
    } catch (const FileError& error) {
        if (missingFails || error.Fault() != FileFault::NotFound) throw;
        document_ = {};
        textAsRead_.clear();
        read_ = {};
        return;
    }
    read_ = StampOf(file);
    document_ = RotationDocument::Read(file.Bytes, catalogue_);
    textAsRead_ = std::move(file.Bytes);
    if (!document_.HeaderFound() && !IsBlankText(textAsRead_)) reporter.Report(MissingHeaderMessage(folder_));
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

bool GameSession::HasUnsaved() const { return document_.Changed() || !read_.Exists; }

SaveOutcome GameSession::Save(bool overwriteChanged) {
    const std::string path = RotationPath();
    // Nothing changed: the file and its backup stay as they are.
    if (!HasUnsaved()) return {SaveOutcome::Status::Saved, path, {}, read_, {}};
    std::unique_ptr<FolderLock> lock;
    try {
        if (!locked_) lock = Lock();
    } catch (const FileError& error) {
        return {SaveOutcome::Status::Failed, path, error.Reason(), {}, {}};
    }
    std::string text = document_.Text();
    SaveOutcome saved = SaveGuarded(fs_, path, text, read_, overwriteChanged, kRotationFileCap);
    if (saved) {
        read_ = saved.Written;
        textAsRead_ = std::move(text);
        document_.MarkSaved();
    }
    return saved;
}

}  // namespace rotaplex
