#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace rotaplex {

// Entries of the list chosen at once, as runs of neighbouring positions in ascending order: what
// the list selects, what an edit on many entries takes, and what undo and redo say to select.
class EntrySelection {
public:
    struct Run {
        std::size_t First = 0;
        std::size_t Count = 0;
        bool operator==(const Run&) const = default;
    };

    EntrySelection() = default;
    // One entry: the single-entry edits and their callers speak in positions.
    EntrySelection(std::size_t position);  // NOLINT(google-explicit-constructor)
    static EntrySelection Range(std::size_t first, std::size_t count);
    // Positions in any order; one given twice counts once.
    static EntrySelection Of(std::vector<std::size_t> positions);

    bool Empty() const { return runs_.empty(); }
    std::size_t Count() const { return count_; }
    // The first and last selected positions; only when not empty.
    std::size_t First() const { return runs_.front().First; }
    std::size_t Last() const { return runs_.back().First + runs_.back().Count - 1; }
    const std::vector<Run>& Runs() const { return runs_; }
    std::vector<std::size_t> Positions() const;

    // What to select in a list of entryCount entries: the positions inside it, or the last entry
    // when every position is past its end (a removed last entry, an undone append).
    EntrySelection Within(std::size_t entryCount) const;

    explicit operator bool() const { return !Empty(); }
    // The first position, or nothing: what the callers of a single selected entry select.
    operator std::optional<std::size_t>() const;  // NOLINT(google-explicit-constructor)
    bool operator==(const EntrySelection&) const = default;

private:
    std::vector<Run> runs_;
    std::size_t count_ = 0;
};

}  // namespace rotaplex
