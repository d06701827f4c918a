#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/mission_catalogue.h"
#include "cycle/rotation_file.h"

namespace rotaplex {

// How one line of the rotation file ends; a last line may have none.
enum class LineEnd : uint8_t { None, CrLf, Cr };

// servercycle.txt held as the lines it was read as, so that a save rewrites only what was edited.
// Entries are the lines that the reader takes as entries (after the first "[cycle]", "map=" after
// trimming), at most 32767 of them; every other line, and entry lines past that limit, are kept
// byte for byte. Every edit is one undoable step.
class RotationDocument {
public:
    RotationDocument() = default;
    static RotationDocument Read(std::string_view text, const MissionCatalogue& catalogue);

    // The file's bytes: untouched lines as read, new and changed entries as "map=" + MissionFile +
    // "::" + ScenarioKey ending in CR LF. A file that ended without a line end still does: a new
    // or changed last line takes that over, and a removed one hands it to the line before (not to
    // an empty line, which would vanish). Moved entries leave the line ends where they were.
    std::string Text() const;

    bool HeaderFound() const;
    // The entries the list shows, in play order.
    std::size_t EntryCount() const;
    const CycleEntry& Entry(std::size_t position) const;
    // 1-based line number in the file as it would be saved now.
    std::size_t EntryLineNumber(std::size_t position) const;
    // Entry lines past the 32767th, kept unchanged and not listed.
    std::size_t UnlistedEntryCount() const;

    // The edits; each position is an index into the listed entries. Inserting into an empty
    // document puts the entry after the header, or appends "[cycle]" and the entry to a file that
    // has none. Each returns false (and changes nothing) when it cannot apply.
    bool InsertBefore(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue);
    bool InsertAfter(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue);
    bool InsertFirst(int16_t scenario, const MissionCatalogue& catalogue);  // only when empty
    bool Remove(std::size_t position);
    bool SetScenario(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue);
    bool Move(std::size_t from, std::size_t to);

    bool CanUndo() const;
    bool CanRedo() const;
    // Each returns the position of the entry the step touched (where it now stands, or for an
    // undone insert the position the entry had), or nothing when there was nothing to do.
    std::optional<std::size_t> Undo();
    std::optional<std::size_t> Redo();

    // The undo position differs from the one last read or saved.
    bool Changed() const;
    void MarkSaved();

    // How many steps Undo can go back, at most; older ones are forgotten.
    static constexpr std::size_t kUndoSteps = 10000;

private:
    // A line's text stands in bytes_: a whole file's lines take one allocation, not one each.
    struct Line {
        std::size_t Start = 0;
        std::size_t Length = 0;
        LineEnd End = LineEnd::None;
    };
    enum class StepKind : uint8_t { Insert, Remove, Replace, Move };
    // One edit, as it can be done again and undone. Insert and Remove mirror each other: one puts
    // an entry line into the document, the other takes it out.
    struct Step {
        StepKind Kind = StepKind::Insert;
        std::size_t Position = 0;   // the entry's position; for Move where it came from
        std::size_t Target = 0;     // Move: where it went
        std::size_t LineIndex = 0;  // Insert, Remove: the entry's line
        bool WithHeader = false;    // Insert: "[cycle]" comes in front of the entry line
        // The entry and its line while out of the document; Replace: the version not in force.
        Line Held;
        CycleEntry HeldEntry;
        // The end of the line before the entry line, without it and with it.
        LineEnd EndWithout = LineEnd::None;
        LineEnd EndWith = LineEnd::None;
    };

    std::string_view TextOf(const Line& line) const { return {bytes_.data() + line.Start, line.Length}; }
    // A line for text, added to bytes_: edits append, so every line held by a step stays valid.
    Line AddLine(std::string_view text, LineEnd end);

    bool InsertAt(std::size_t position, std::size_t lineIndex, bool withHeader, int16_t scenario,
                  const MissionCatalogue& catalogue);
    // The steps' actions on the lines and entries, each the exact inverse of its mirror.
    void Place(Step& step);
    void Take(Step& step);
    void Swap(Step& step);
    void MoveEntry(std::size_t from, std::size_t to);
    void ShiftEntryLines(std::size_t fromLine, std::ptrdiff_t by);
    std::size_t Apply(Step& step, bool forward);
    void Record(Step step);

    std::string bytes_;  // the file as read, then the text of each line an edit made
    std::vector<Line> lines_;
    std::vector<CycleEntry> entries_;
    std::vector<std::size_t> entryLines_;  // the line of each listed entry
    std::size_t unlisted_ = 0;
    bool headerFound_ = false;
    std::size_t headerLine_ = 0;

    std::deque<Step> history_;
    std::size_t done_ = 0;     // steps of history_ in force
    std::size_t dropped_ = 0;  // steps forgotten from its front
    std::optional<std::size_t> savedAt_ = 0;  // dropped_ + done_ when last read or saved
};

// The start-up message for a file with more entries than the list can show.
std::string UnlistedEntriesMessage(const std::string& path, std::size_t unlisted);

}  // namespace rotaplex
