#include "cycle/entry_selection.h"

#include <algorithm>

namespace rotaplex {

EntrySelection::EntrySelection(std::size_t position) : runs_{{position, 1}}, count_(1) {}

EntrySelection EntrySelection::Range(std::size_t first, std::size_t count) {
    EntrySelection selection;
    if (count == 0) return selection;
    selection.runs_.push_back({first, count});
    selection.count_ = count;
    return selection;
}

EntrySelection EntrySelection::Of(std::vector<std::size_t> positions) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    EntrySelection selection;
    for (const std::size_t position : positions) {
        if (!selection.runs_.empty() && selection.Last() + 1 == position) {
            ++selection.runs_.back().Count;
        } else {
            selection.runs_.push_back({position, 1});
        }
    }
    selection.count_ = positions.size();
    return selection;
}

std::vector<std::size_t> EntrySelection::Positions() const {
    std::vector<std::size_t> positions;
    positions.reserve(count_);
    for (const Run& run : runs_) {
        for (std::size_t i = 0; i < run.Count; ++i) positions.push_back(run.First + i);
    }
    return positions;
}

EntrySelection EntrySelection::Within(std::size_t entryCount) const {
    if (entryCount == 0 || Empty()) return {};
    if (First() >= entryCount) return EntrySelection(entryCount - 1);
    EntrySelection inside;
    for (const Run& run : runs_) {
        if (run.First >= entryCount) break;
        inside.runs_.push_back({run.First, std::min(run.Count, entryCount - run.First)});
        inside.count_ += inside.runs_.back().Count;
    }
    return inside;
}

EntrySelection::operator std::optional<std::size_t>() const {
    if (Empty()) return std::nullopt;
    return First();
}

}  // namespace rotaplex
