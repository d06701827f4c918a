#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cycle/rotation_document.h"

namespace rotaplex {

// Which way a search goes from the selected entry; both wrap round the rotation's ends.
enum class SearchDirection { Next, Previous };

// Whether an entry matched no installed scenario when it was read or last set.
inline bool MatchesNoMission(const CycleEntry& entry) { return entry.ScenarioIndex == 0; }
std::size_t MissingEntryCount(const RotationDocument& rotation);

// The next (or previous) entry after from that matches no mission, going round the ends; from
// itself only when it is the one such entry. Without from, the search starts before the first
// entry (after the last one, going back). None when every entry matches.
std::optional<std::size_t> FindMissing(const RotationDocument& rotation, std::optional<std::size_t> from,
                                       SearchDirection direction);

// Whether an entry shows text, letter case aside: in its display text or in its own reference.
bool EntryContains(const CycleEntry& entry, std::string_view text);
// As FindMissing, for the entries that contain text; none for an empty text.
std::optional<std::size_t> FindText(const RotationDocument& rotation, std::string_view text,
                                    std::optional<std::size_t> from, SearchDirection direction);

// The entry a typed prefix leads to, as Explorer's lists do: the first whose shown text starts
// with prefix (letter case aside), from the selected entry on for a prefix of several letters
// (so that typing on keeps the entry found), after it for a single one (so that a letter pressed
// again goes on to the next), going round the end.
std::optional<std::size_t> FindPrefix(const RotationDocument& rotation, std::string_view prefix,
                                      std::optional<std::size_t> from);

// The scenario key of an entry's own reference ("old.nfo::Quarry": "Quarry"; the whole of one
// without a mission file), what the chooser is filtered by to replace an entry that matches nothing.
std::string_view ReferenceKey(std::string_view reference);

// The text an entry's row shows: its display text, or for a missing mission its own reference.
const std::string& ShownText(const CycleEntry& entry);

// The letters typed into a list, gathered into one prefix while they come quickly: a pause
// longer than kPause starts a new one. Times are the system's milliseconds.
class TypedPrefix {
public:
    static constexpr uint32_t kPause = 1000;
    // The prefix with the letter added (or the letter alone after a pause).
    const std::string& Type(char letter, uint32_t now);

private:
    std::string typed_;
    std::optional<uint32_t> last_;
};

// A position as the operator types it (1 to entryCount, blanks around allowed) as the entry's
// index; none when it is no such number.
std::optional<std::size_t> ParsePosition(std::string_view typed, std::size_t entryCount);

}  // namespace rotaplex
