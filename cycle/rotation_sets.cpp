#include "cycle/rotation_sets.h"

#include <algorithm>
#include <memory>

#include "cycle/file_rules.h"
#include "cycle/rotation_file.h"
#include "cycle/scenario_info.h"

namespace rotaplex {

namespace {

constexpr std::string_view kSetsFolder = "rotations";
constexpr std::string_view kSetEnding = ".txt";

std::string FileName(std::string_view name) { return std::string(name) + std::string(kSetEnding); }

// UTF-8 characters: the bytes that do not continue one.
std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool BlankOrDot(char c) { return c == ' ' || c == '.' || c == '\t'; }

// The entry lines as they stand in the file, trimmed.
std::vector<std::string> EntryLinesOf(const RotationDocument& document) {
    if (document.EntryCount() == 0) return {};
    return ReadPastedLines(document.EntryLinesText(EntrySelection::Range(0, document.EntryCount()))).EntryLines;
}

}  // namespace

std::optional<std::string> SetNameRefusal(std::string_view name) {
    if (name.empty()) return "Give the set a name.";
    if (CharacterCount(name) > kSetNameMost)
        return "A set's name can have at most " + std::to_string(kSetNameMost) + " characters.";
    if (BlankOrDot(name.front()) || BlankOrDot(name.back()))
        return std::string("A set's name cannot begin or end with a blank or a dot.");
    if (!IsWindowsFileName(FileName(name)))
        return std::string("A set's name cannot hold control characters or any of < > : \" / \\ | ? *.");
    if (IsDeviceName(FileName(name)))
        return "Windows keeps the name \"" + std::string(name) + "\" for a device; give the set another name.";
    return std::nullopt;
}

std::string SetsFolder(const std::string& gameFolder, char separator) {
    return gameFolder + std::string(kSetsFolder) + separator;
}

std::string SetPath(const std::string& gameFolder, char separator, std::string_view name) {
    return SetsFolder(gameFolder, separator) + FileName(name);
}

std::vector<std::string> ListSets(FileSystem& fs, const std::string& gameFolder) {
    std::vector<std::string> names;
    for (const ListedName& listed : fs.List(SetsFolder(gameFolder, fs.Separator()), kSetEnding)) {
        // The platform may list others than those asked for (as Windows's short names do).
        if (listed.Kind != PathKind::File || listed.Hidden || !EndsWithIgnoringCase(listed.Name, kSetEnding)) continue;
        std::string name = listed.Name.substr(0, listed.Name.size() - kSetEnding.size());
        if (!SetNameRefusal(name)) names.push_back(std::move(name));
    }
    return names;
}

GameSession SetSession(FileSystem& fs, const std::string& gameFolder, std::string_view name) {
    return GameSession(fs, gameFolder, SetPath(gameFolder, fs.Separator(), name));
}

Activation Activate(RotationDocument& rotation, const RotationDocument& set, const MissionCatalogue& catalogue) {
    if (set.EntryCount() == 0) return Activation::NoEntries;
    return rotation.ReplaceEntries(EntryLinesOf(set), catalogue) ? Activation::Done : Activation::Unchanged;
}

SaveOutcome SaveAsSet(FileSystem& fs, const GameSession& from, std::string_view name) {
    fs.MakeFolder(SetsFolder(from.Folder(), fs.Separator()));
    GameSession set = SetSession(fs, from.Folder(), name);
    const std::unique_ptr<FolderLock> lock = set.Lock();
    struct : Reporter {
        void Report(const std::string&) override {}
    } ignored;  // what the set held before is replaced, problems and all
    set.ReadRotation(ignored);
    // An existing set with those very entries: nothing to write.
    set.Document().ReplaceEntries(EntryLinesOf(from.Document()), from.Catalogue());
    return set.Save();
}

void DeleteSet(FileSystem& fs, const std::string& gameFolder, std::string_view name) {
    GameSession set = SetSession(fs, gameFolder, name);
    const std::unique_ptr<FolderLock> lock = set.Lock();
    fs.Rename(set.RotationPath(), BackupPath(set.RotationPath()));
}

std::optional<std::string> RenameSet(FileSystem& fs, const std::string& gameFolder, std::string_view from,
                                     std::string_view to) {
    GameSession set = SetSession(fs, gameFolder, from);
    const std::unique_ptr<FolderLock> lock = set.Lock();
    const std::string target = SetPath(gameFolder, fs.Separator(), to);
    if (!EqualsIgnoringCase(from, to)) {
        if (fs.KindOf(target) != PathKind::Missing) return "There is a set named \"" + std::string(to) + "\" already.";
        fs.Rename(set.RotationPath(), target);
        return std::nullopt;
    }
    // Letter case alone: through a fresh name, since a rename to the same file in other letters
    // changes nothing under Wine.
    const std::string passing = TemporaryNameBeside(set.RotationPath());
    fs.Rename(set.RotationPath(), passing);
    try {
        fs.Rename(passing, target);
    } catch (const FileError&) {
        fs.Rename(passing, set.RotationPath());
        throw;
    }
    return std::nullopt;
}

}  // namespace rotaplex
