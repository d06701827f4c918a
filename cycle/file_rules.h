#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rotaplex {

// The most of a file that is read: beyond these a file is refused with a message naming it and
// its size. A mission file holds at most 32767 scenarios of a few hundred bytes each, and a
// rotation 32767 entries of at most a hundred characters; the caps leave room for long comments
// and lines while keeping a wrong or endless file from filling the memory.
inline constexpr uint64_t kMissionFileCap = 32ull << 20;
inline constexpr uint64_t kRotationFileCap = 16ull << 20;
// A scenario text is only shown: its first 256 KB, then a line saying the rest is not shown.
// Far more than any briefing, and setting it into the box stays under half a second (a text
// box under Wine takes about 1.4 s per megabyte).
inline constexpr uint64_t kScenarioTextShown = 256ull << 10;

// A file name that Windows takes for a device (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$,
// CONOUT$), with or without an extension: opening it may wait for ever.
bool IsDeviceName(std::string_view name);
// A name Windows can give a file: no control characters, none of <>:"/\|?*, and no blank or
// dot at its end. Elsewhere a folder may hold others, which the game under Wine could not open.
bool IsWindowsFileName(std::string_view name);
// True when any part of a path, split at "\" and "/", is a device name.
bool NamesDevice(std::string_view path);

// True when a path relative to a folder stays inside it once "." and ".." are resolved; a path
// that is absolute, names a drive or begins with "\" does not.
bool StaysInside(std::string_view relative);

// The reason given when a file is larger than what is read of it.
std::string TooLargeReason(uint64_t size, uint64_t cap);
// The reason a save is refused that would make the file larger than what is read of it.
std::string TooLargeToSaveReason(uint64_t size, uint64_t cap);
// The reason a save gives up when another Rotaplex program holds the folder's lock too long.
inline constexpr const char* kBusyReason =
    "Another Rotaplex program is saving this rotation. Nothing was written; try again in a moment.";
// The reason given for a device or anything else that is not an ordinary file on a disk.
inline constexpr const char* kNotAFileReason = "This is not an ordinary file on a disk.";

// The scenario text as shown: head is the file's first bytes, fullSize its size. The lines end
// in CR LF; a cut file ends with a line saying how much is not shown.
std::string ShownScenarioText(std::string_view head, uint64_t fullSize);

// A fresh name beside target for the new content of one save: target + "." + 16 random hex
// digits + ".tmp", so that nothing planted at a known name can be written through.
std::string TemporaryNameBeside(const std::string& target);
// Whether name (without its folder) is such a fresh name beside the file named targetName,
// letter case aside: what a save that was cut short leaves behind.
bool IsTemporaryNameOf(std::string_view name, std::string_view targetName);
// Where a save keeps the content it replaced.
std::string BackupPath(const std::string& path);
// A folder as the program was given it, ending with the platform's separator (or "/").
std::string FolderPath(std::string_view given, char separator);
// The folder a path names a file in: everything before its last "\" or "/" ("." when none).
std::string FolderOf(const std::string& path);

// The reason a UTF-16 rotation is not read: written back it would become a mixture of two
// encodings.
inline constexpr const char* kUtf16Reason =
    "This file is UTF-16 text, an encoding Rotaplex does not write. Save it as ANSI text in a text "
    "editor, then open it again.";
// Whether the bytes begin as UTF-16 text does: a byte order mark, or an ASCII character and a
// zero byte.
bool LooksLikeUtf16(std::string_view bytes);
// The reason a save does not write through a link to a file that holds no rotation.
std::string NotARotationLinkReason(const std::string& target);
// Told, after the file's path, of a save over a file that another program changed between the
// last check and the replace: the rotation is saved, and backup holds the other program's version.
std::string OtherVersionReason(const std::string& backup);
// The same as the editor tells it.
std::string OtherVersionMessage(const std::string& path, const std::string& backup);
// A leftover of a save that was cut short, as check tells it.
std::string LeftoverTemporaryMessage(const std::string& path);

// Asked before a save over a rotation file that another program changed, and before one that
// would write anew a file another program removed. No, the safe answer, is their default.
std::string ChangedOnDiskQuestion(const std::string& path);
std::string RemovedOnDiskQuestion(const std::string& path);

}  // namespace rotaplex
