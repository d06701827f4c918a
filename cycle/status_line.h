#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rotaplex {

// The main window's caption, as Notepad's: "*servercycle.txt - <game folder> - Rotaplex", the
// "*" while the rotation has unsaved changes. The folder is shown without its last separator,
// except for a root ("C:\", "\"). A set being edited is named in the file's place,
// "<name>.txt (rotation set)".
std::string WindowCaption(std::string_view gameFolder, bool changed, std::string_view set = {});

// The status line's first part: the rotation's size and where the selected entry stands, in the
// positions rotaplex-cli uses ("Entry 3 of 12", "12 entries").
std::string PositionText(std::size_t entryCount, std::optional<std::size_t> selected);

// What the status line says last happened.
std::string SavedAtText(int hour, int minute);  // "Saved at 14:02"
inline constexpr const char* kNothingToSave = "Nothing to save";
// At start-up, when some entries match no mission; none when every one does.
std::optional<std::string> MissingEntriesText(std::size_t missing);
inline constexpr const char* kNoneMissing = "Every entry matches an installed mission";
// An entry moved from one index to another, told in positions: "Entry 9 moved to 2".
std::string MovedText(std::size_t from, std::size_t to);
std::string NotFoundText(std::string_view text);
// Go to and Move to position, when what was typed is no position of the rotation.
std::string NoSuchPositionText(std::size_t entryCount);
// The chooser's line when it opens on an entry that matches no mission.
std::string ReplacesText(std::string_view reference);
// A game folder whose missions folder holds no mission file: told once, at start-up.
std::string NoMissionsText(std::string_view missionsFolder);
// What the window does about changes another program made, found when the window is activated
// or the folder tells of a change: servercycle.txt is read again at once only while the operator
// has no unsaved edits; otherwise a notice offers Reload, Keep mine and Compare, and a save asks
// first. file: the name of the rotation file edited.
struct OutsideAnswer {
    bool ReadRotationNow = false;
    bool OfferReload = false;  // the notice stands until Reload or Keep mine
    std::string Told;  // for the status line; empty when nothing changed
};
OutsideAnswer AnswerOutside(std::string_view file, bool rotationChanged, bool rotationRemoved, bool missionsChanged,
                            bool unsavedEdits);
// After F5: what was read again.
std::string ReadAgainText(bool rotation, bool missions);

// While the game folder is read behind the window: "Reading mission files: 5000 of 20000".
std::string ReadingText(std::size_t read, std::size_t listed);
// Once it is read, when the operator waited for it: "Read in 3.4 s", short enough to leave room
// for what start-up tells after it.
std::string ReadInText(std::size_t milliseconds);
// Keep mine and Reload, after the notice.
std::string KeptMineText(std::string_view file);
// The named sets: what was done to one, told on the status line.
std::string SavedAsSetText(std::string_view name);
std::string OpenedText(std::string_view file);
std::string ActivatedText(std::string_view name, bool changed);
std::string NoEntriesToActivateText(std::string_view name);
std::string DeletedSetText(std::string_view name);
std::string RenamedSetText(std::string_view from, std::string_view to);
// The file edited as the notices name it: servercycle.txt, or a set's "<name>.txt".
std::string EditedFileText(std::string_view set);
// Compare, when the file on disk holds the editor's very text.
std::string SameOnDiskText(std::string_view file);

// What ADD says then.
inline constexpr const char* kNothingToChoose =
    "There is nothing to choose: the game folder has no mission files.";

}  // namespace rotaplex
