#include "cycle/status_line.h"

#include <cstdio>

namespace rotaplex {

namespace {

constexpr std::string_view kRotationFile = "servercycle.txt";
constexpr std::string_view kProgram = "Rotaplex";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A root keeps its separator: "C:" alone would name the drive's current folder.
std::string_view ShownFolder(std::string_view folder) {
    while (folder.size() > 1 && IsSeparator(folder.back()) && !(folder.size() == 3 && folder[1] == ':'))
        folder.remove_suffix(1);
    return folder;
}

std::string Entries(std::size_t count) { return std::to_string(count) + (count == 1 ? " entry" : " entries"); }

}  // namespace

std::string WindowCaption(std::string_view gameFolder, bool changed, std::string_view set) {
    std::string caption = changed ? "*" : "";
    caption += EditedFileText(set);
    if (!set.empty()) caption += " (rotation set)";
    caption += " - ";
    caption += ShownFolder(gameFolder);
    caption += " - ";
    caption += kProgram;
    return caption;
}

std::string PositionText(std::size_t entryCount, std::optional<std::size_t> selected) {
    if (entryCount == 0) return "No entries";
    if (!selected || *selected >= entryCount) return Entries(entryCount);
    return "Entry " + std::to_string(*selected + 1) + " of " + std::to_string(entryCount);
}

OutsideAnswer AnswerOutside(std::string_view file, bool rotationChanged, bool rotationRemoved, bool missionsChanged,
                            bool unsavedEdits) {
    OutsideAnswer answer;
    const std::string name(file);
    if (rotationRemoved) {
        answer.Told = name + " was removed by another program: saving creates it again";
    } else if (rotationChanged && !unsavedEdits) {
        answer.ReadRotationNow = true;
        answer.Told = name + " was changed by another program and is read again: Ctrl+Z shows it as before";
    } else if (rotationChanged) {
        answer.OfferReload = true;
        // Three lines of the status line at most, with the keys the notice offers.
        answer.Told = name + " changed on disk: Ctrl+R reload, Ctrl+K keep mine, Ctrl+Shift+D compare";
    }
    if (missionsChanged) {
        if (!answer.Told.empty()) answer.Told += "\n";
        answer.Told += "The mission files have changed: F5 reads them again";
    }
    return answer;
}

std::string ReadAgainText(bool rotation, bool missions) {
    if (rotation && missions) return "servercycle.txt and the mission files read again: Ctrl+Z undoes the reading";
    if (rotation) return "servercycle.txt read again: Ctrl+Z shows it as before";
    if (missions) return "The mission files read again; every entry matched anew";
    return "Nothing has changed on disk";
}

std::string KeptMineText(std::string_view file) {
    return "Your version is kept: saving asks before it replaces the other " + std::string(file);
}

std::string SavedAsSetText(std::string_view name) { return "The entries saved as the set " + std::string(name); }

std::string OpenedText(std::string_view file) { return "Editing " + std::string(file); }

std::string ActivatedText(std::string_view name, bool changed) {
    if (!changed) return "The rotation already holds the entries of the set " + std::string(name);
    return "The set " + std::string(name) + " activated: Ctrl+Z undoes it, Ctrl+S saves it for the server";
}

std::string NoEntriesToActivateText(std::string_view name) {
    return "The set " + std::string(name) + " has no entries: the server would have nothing to play.";
}

std::string DeletedSetText(std::string_view name) {
    return "The set " + std::string(name) + " deleted; its last version is kept as its .bak";
}

std::string RenamedSetText(std::string_view from, std::string_view to) {
    return "The set " + std::string(from) + " is now named " + std::string(to);
}

std::string EditedFileText(std::string_view set) {
    return set.empty() ? std::string(kRotationFile) : std::string(set) + ".txt";
}

std::string SameOnDiskText(std::string_view file) {
    return std::string(file) + " on disk holds the same text as the editor";
}

std::string SavedAtText(int hour, int minute) {
    char text[24];
    std::snprintf(text, sizeof text, "Saved at %02d:%02d", hour, minute);
    return text;
}

std::optional<std::string> MissingEntriesText(std::size_t missing) {
    if (missing == 0) return std::nullopt;
    if (missing == 1) return "1 entry matches no installed mission: F8 goes to it";
    return std::to_string(missing) + " entries match no installed mission: F8 goes to the next";
}

std::string MovedText(std::size_t from, std::size_t to) {
    return "Entry " + std::to_string(from + 1) + " moved to " + std::to_string(to + 1);
}

std::string ReadingText(std::size_t read, std::size_t listed) {
    return "Reading mission files: " + std::to_string(read) + " of " + std::to_string(listed);
}

std::string ReadInText(std::size_t milliseconds) {
    // Tenths of a second: what an operator waiting for it can tell apart.
    const std::size_t tenths = (milliseconds + 50) / 100;
    return "Read in " + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

std::string NotFoundText(std::string_view text) { return "No entry contains \"" + std::string(text) + "\""; }

std::string NoSuchPositionText(std::size_t entryCount) {
    return "Type a position from 1 to " + std::to_string(entryCount) + ".";
}

std::string ReplacesText(std::string_view reference) {
    return "Replaces " + std::string(reference) + ", whose mission is not installed.";
}

std::string NoMissionsText(std::string_view missionsFolder) {
    return "No mission files in " + std::string(missionsFolder) + ": there is nothing to add";
}

}  // namespace rotaplex
