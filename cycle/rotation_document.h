#pragma once

#include <cstddef>
#include <cstdint>
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
    // "::" + ScenarioKey ending in CR LF.
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
};

}  // namespace rotaplex
