#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/entry_selection.h"
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

    // Edits on many entries, each one step however many entries it touches. A selection that
    // is empty or reaches past the list is refused.
    bool Remove(const EntrySelection& selection);
    // Entry lines (as the reader takes them: "map=foo.nfo::Bar", blanks around allowed; no line
    // end) put in as they stand, the first at position (EntryCount(): at the end), each matched
    // against the catalogue as a read entry is. Their lines go directly after the line of the
    // entry before position. Refused when there are none, one is no entry line, or the list would
    // hold more than 32767 entries.
    bool InsertLines(std::size_t position, const std::vector<std::string>& lines, const MissionCatalogue& catalogue);
    // Copies of the selected entries' lines, in their order, directly after the last selected one.
    bool Duplicate(const EntrySelection& selection);
    // The selected entries gathered in their order into one block, starting one place before the
    // first selected one, or ending one place after the last; refused at the list's edge.
    bool MoveUp(const EntrySelection& selection);
    bool MoveDown(const EntrySelection& selection);
    // The selected entries gathered in their order in front of the entry at drop, a position in
    // the list as it is now (EntryCount(): at the end); refused when nothing would move.
    bool MoveTo(const EntrySelection& selection, std::size_t drop);
    // The i-th selected position takes the order[i]-th selected entry (a shuffle, a sort).
    // Refused unless order is a permutation of the selection's count that moves an entry.
    bool Reorder(const EntrySelection& selection, const std::vector<std::size_t>& order);

    // The document becomes text as read (the file as another program left it), as one step, so
    // that undo gives back what was shown before. Refused when it would change nothing.
    bool ReplaceText(std::string_view text, const MissionCatalogue& catalogue);
    // The entries become the given entry lines (as InsertLines takes them), as one step: they
    // stand where the first entry stood (after the header when there was none), and every other
    // line stays as it is. Refused as InsertLines refuses, and when nothing would change.
    bool ReplaceEntries(const std::vector<std::string>& lines, const MissionCatalogue& catalogue);
    // Every entry, in the document and in its undo steps, matched again against a catalogue
    // read anew: one that matched nothing may now be found, and the other way round. No step.
    void Rematch(const MissionCatalogue& catalogue);

    // The selected entries' lines as they stand in the file, each followed by CR LF.
    std::string EntryLinesText(const EntrySelection& selection) const;

    bool CanUndo() const;
    bool CanRedo() const;
    // Each returns what to select afterwards, or nothing when there was nothing to do: the
    // entries the step put in, moved or changed, where they now stand; for an undone insert or a
    // redone remove the position its first entry had (see EntrySelection::Within).
    EntrySelection Undo();
    EntrySelection Redo();
    // What Redo would have selected for the step last done, nothing when none is in force: what
    // the list selects after an edit.
    EntrySelection LastDone() const;

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
    enum class StepKind : uint8_t { Insert, Remove, Replace, Reorder, Whole };
    // All that a whole document is, for a step that swaps one for another.
    struct Contents {
        std::vector<Line> Lines;
        std::vector<CycleEntry> Entries;
        std::vector<std::size_t> EntryLines;
        std::size_t Unlisted = 0;
        bool HeaderFound = false;
        std::size_t HeaderLine = 0;
    };
    // An entry line that a step puts into the document or takes out of it (Insert and Remove
    // mirror each other), or whose version it swaps (Replace).
    struct Piece {
        std::size_t Position = 0;   // the entry's position, with the step's entries in the list
        std::size_t LineIndex = 0;  // its line's, with the step's lines in the document
        // The entry and its line while out of the document; Replace: the version not in force.
        Line Held;
        CycleEntry HeldEntry;
        // The end of the line before the entry line, without it and with it.
        LineEnd EndWithout = LineEnd::None;
        LineEnd EndWith = LineEnd::None;
    };
    // One edit, as it can be done again and undone.
    struct Step {
        StepKind Kind = StepKind::Insert;
        bool WithHeader = false;    // Insert: "[cycle]" comes in front of the first entry line
        std::vector<Piece> Pieces;  // Insert, Remove: in ascending order; Replace: one
        // Reorder: entry First + i came from First + Order[i]. 16 bits hold any position.
        std::size_t First = 0;
        std::vector<uint16_t> Order;
        // Whole: the contents not in force.
        Contents Other;
        // What Undo and Redo select.
        EntrySelection SelectUndone, SelectDone;
    };
    struct NewLine {
        Line Text;
        CycleEntry Entry;
    };

    std::string_view TextOf(const Line& line) const { return {bytes_.data() + line.Start, line.Length}; }
    // A line for text, added to bytes_: edits append, so every line held by a step stays valid.
    Line AddLine(std::string_view text, LineEnd end);

    bool InsertEntry(std::size_t position, std::size_t lineIndex, int16_t scenario, const MissionCatalogue& catalogue);
    // The new lines' entries from position on; lineIndex: where the first line goes; withHeader:
    // "[cycle]" goes there first.
    bool InsertBlock(std::size_t position, std::size_t lineIndex, bool withHeader, std::vector<NewLine> block);
    // InsertBlock with the lines directly after the line of the entry before position, or in
    // front of the first entry, or after the header, or with a header at the end of the file.
    bool InsertBlockAt(std::size_t position, std::vector<NewLine> block);
    bool Selectable(const EntrySelection& selection) const;
    // A Reorder step of the entries from first on, which now come from the positions in from.
    bool Rearrange(std::size_t first, const std::vector<std::size_t>& from, EntrySelection before,
                   EntrySelection after);
    // The steps' actions on the lines and entries, each the exact inverse of its mirror.
    void Place(Step& step);
    void Take(Step& step);
    void Swap(Step& step);
    void ApplyOrder(const Step& step, bool forward);
    void SwapContents(Contents& other);
    // The lines a Place or Take puts in or takes out, ascending, with the step's lines in.
    static std::vector<std::size_t> StepLines(const Step& step);
    // The line whose end follows the presence of the piece's line.
    static std::optional<std::size_t> LineBefore(const Step& step, std::size_t piece);
    EntrySelection Apply(Step& step, bool forward);
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
