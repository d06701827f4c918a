#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/reporter.h"
#include "cycle/file_stamp.h"
#include "cycle/file_system.h"
#include "cycle/mission_catalogue.h"
#include "cycle/rotation_document.h"
#include "cycle/safe_save.h"

namespace rotaplex {

// GameFolder + "servercycle.txt"; gameFolder ends with the platform's separator.
std::string RotationPath(const std::string& gameFolder);

// GameFolder + "resource" + "missions", where the mission description files are.
std::string MissionsFolder(const std::string& gameFolder, char separator);

// How far a scan of the mission files has got, read from another thread for a progress line,
// and a request from there to stop it before the next file.
struct ScanProgress {
    std::atomic<std::size_t> Read{0};
    std::atomic<std::size_t> Listed{0};
    std::atomic<bool> Stop{false};
};

// The catalogue of a game folder's mission files, in the order the platform lists them, as the
// editor and rotaplex-cli both read it. Names that no entry could name are passed over (hidden
// files, folders, names the code page or Windows cannot hold); every listed file that cannot be
// read (a device name, not an ordinary file, unreadable, too large), has no scenarios, or has a
// scenario without server settings is reported once, naming it, and the scan goes on.
MissionCatalogue ScanMissions(FileSystem& fs, const std::string& gameFolder, Reporter& reporter);

// What another program changed since a session last read or saved.
struct OutsideChanges {
    bool Rotation = false;         // servercycle.txt changed, created or replaced
    bool RotationRemoved = false;  // servercycle.txt is gone
    bool Missions = false;         // a mission file added, removed or changed
    explicit operator bool() const { return Rotation || RotationRemoved || Missions; }
};

// One game folder opened for editing: its catalogue, the document of its rotation and the stamp
// of what was read, behind every way of opening, reading again and saving it.
class GameSession {
public:
    // gameFolder ends with fs's separator. The rotation edited is servercycle.txt, or the file at
    // rotationPath (a set's), saved with the same backup, guard and lock beside it.
    GameSession(FileSystem& fs, std::string gameFolder);
    GameSession(FileSystem& fs, std::string gameFolder, std::string rotationPath);

    const std::string& Folder() const { return folder_; }
    const std::string& RotationPath() const { return rotationPath_; }

    // Scans the mission files anew, reporting their problems; progress, when given, follows the
    // scan and may stop it (the catalogue then holds the files read so far). The document keeps
    // its entries.
    void ReadMissions(Reporter& reporter, ScanProgress* progress = nullptr);
    // Reads the rotation: ReadRotationFile, then ParseRotation.
    void ReadRotation(Reporter& reporter, bool missingFails = false);
    // The rotation file's bytes and stamp, so that a file that cannot be read is told before
    // anything else is. Throws FileError when it cannot be read; a missing one is an empty
    // rotation, which the first save creates, unless missingFails.
    void ReadRotationFile(bool missingFails = false);
    // The bytes read as the document, matched against the catalogue: reports a missing "[cycle]"
    // (a blank file is an empty rotation), and entries past those the list can show.
    void ParseRotation(Reporter& reporter);

    // Compares what is on disk now with what was read or saved: cheap enough for every time the
    // window is activated (sizes and write times; the bytes only where those moved).
    OutsideChanges CheckOutside();
    // Takes servercycle.txt's version on disk as one undo step, so that what was shown before
    // is one undo away; the document then counts as saved. False when nothing differed. Throws
    // FileError as ReadRotation does.
    bool ReloadRotation();
    // The operator keeps the edits over the version on disk now: CheckOutside tells of it no
    // more, while a save still asks before replacing it.
    void KeepMine();
    // The unified diff from the rotation file on disk (none: empty) to the document's text;
    // empty when they are the same. Throws FileError when it cannot be read.
    std::string DiffWithDisk();
    // Reads the mission files again and matches every entry, those in the undo steps too,
    // against them. The rotation and its undo stay.
    void RereadMissions(Reporter& reporter);

    const MissionCatalogue& Catalogue() const { return catalogue_; }
    const RotationDocument& Document() const { return document_; }
    RotationDocument& Document() { return document_; }
    // The rotation file's bytes as last read (empty when there was none).
    const std::string& TextAsRead() const { return textAsRead_; }

    // Holds every other Rotaplex program's save back until released: for a read, change and
    // write that must not miss another's save in between. Throws FileError (Busy) when another
    // holds it for longer than a save takes.
    std::unique_ptr<FolderLock> Lock();
    // What killed saves left beside servercycle.txt (or the file it links to); the next save
    // removes them.
    std::vector<std::string> LeftoverTemporaries() const;
    // Whether a save would write: the document changed since read or saved, or there is no file
    // (none was read, or CheckOutside found it removed).
    bool HasUnsaved() const;
    // Writes the document, under the lock unless the caller holds it. See SaveGuarded; a
    // rotation changed by another program since it was read is saved over only when
    // overwriteChanged. Afterwards the document counts as unchanged.
    SaveOutcome Save(bool overwriteChanged = false);

private:
    // servercycle.txt's bytes, a UTF-16 file refused.
    FileBytes ReadRotationBytes();

    FileSystem& fs_;
    std::string folder_;
    std::string rotationPath_;
    MissionCatalogue catalogue_;
    RotationDocument document_;
    std::string textAsRead_;
    FileStamp read_;  // servercycle.txt as last read or saved
    FileStamp seen_;  // what CheckOutside compares with: read_, or the version the operator kept mine over
    bool removed_ = false;  // CheckOutside found the file removed since it was read or saved
    uint64_t missionsRead_ = 0;  // the stamp of the mission files' listing when they were read
    bool locked_ = false;
};

}  // namespace rotaplex
