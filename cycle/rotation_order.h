#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cycle/entry_selection.h"
#include "cycle/mission_catalogue.h"
#include "cycle/rotation_document.h"

namespace rotaplex {

// Orders for RotationDocument::Reorder: order[i] is the index, among the entries ordered, of the
// one that comes to the i-th place.

// How many uniform draws a shuffle tries before it builds an order (see ShuffledOrder).
inline constexpr std::size_t kShuffleTries = 1000;

// A random order of entries in which no two neighbours play the same mission, where any order
// allows that; where none does (one mission fills more than half the places), one with as few
// such neighbours as any order has. missions[i] names the i-th entry's mission (equal numbers for
// the same one); circular: the last and the first are neighbours too, as the server starts over.
// The seed alone decides the order, on every platform.
//
// What comes out: with a dominant mission, every order with the fewest repeats equally often.
// Otherwise a uniform permutation is drawn up to tries times and the first that keeps the rule
// taken, which gives every such order equally often; when none does (long rotations that repeat
// their missions, where a valid draw is rare), the order is built place by place, each place
// taking an entry drawn uniformly among those that leave the rest arrangeable by the rule: every
// valid order can come out, though not all equally often.
std::vector<std::size_t> ShuffledOrder(const std::vector<uint32_t>& missions, bool circular, uint64_t seed,
                                       std::size_t tries = kShuffleTries);

// How many neighbours play the same mission once the entries are in order.
std::size_t RepeatsIn(const std::vector<uint32_t>& missions, const std::vector<std::size_t>& order, bool circular);

// The missions of the selected entries: a matched entry's is its scenario's mission file and
// key, another's its own reference, letter case aside.
std::vector<uint32_t> MissionsOf(const RotationDocument& document, const EntrySelection& selection,
                                 const MissionCatalogue& catalogue);

// A shuffle of the selected entries among their places, circular when they are the whole rotation.
std::vector<std::size_t> ShuffleOrder(const RotationDocument& document, const EntrySelection& selection,
                                      uint64_t seed, const MissionCatalogue& catalogue);

// The text a sort goes by, letter case aside: the entry's row in the list (its display text, or
// its reference when it matched nothing), or its mission file.
enum class SortKey { DisplayText, MissionFile };
// A stable sort of the selected entries among their places.
std::vector<std::size_t> SortOrder(const RotationDocument& document, const EntrySelection& selection, SortKey key,
                                   const MissionCatalogue& catalogue);

}  // namespace rotaplex
