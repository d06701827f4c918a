#include "cycle/entry_search.h"

#include <algorithm>
#include <charconv>

#include "cycle/scenario_info.h"

namespace rotaplex {

namespace {

// The first entry that holds, walking from from (itself last unless first is set) round the ends.
template <typename Holds>
std::optional<std::size_t> Walk(std::size_t count, std::optional<std::size_t> from, SearchDirection direction,
                                bool fromFirst, Holds holds) {
    if (count == 0) return std::nullopt;
    const bool next = direction == SearchDirection::Next;
    std::size_t at = from ? std::min(*from, count - 1) : (next ? count - 1 : 0);
    if (fromFirst && from && holds(at)) return at;
    for (std::size_t step = 0; step < count; ++step) {
        at = next ? (at + 1) % count : (at + count - 1) % count;
        if (holds(at)) return at;
    }
    return std::nullopt;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::size_t MissingEntryCount(const RotationDocument& rotation) {
    std::size_t missing = 0;
    for (std::size_t i = 0; i < rotation.EntryCount(); ++i) missing += MatchesNoMission(rotation.Entry(i));
    return missing;
}

std::optional<std::size_t> FindMissing(const RotationDocument& rotation, std::optional<std::size_t> from,
                                       SearchDirection direction) {
    return Walk(rotation.EntryCount(), from, direction, false,
                [&](std::size_t i) { return MatchesNoMission(rotation.Entry(i)); });
}

bool EntryContains(const CycleEntry& entry, std::string_view text) {
    const std::string needle = LowerCase(text);
    return LowerCase(entry.DisplayText).find(needle) != std::string::npos ||
           LowerCase(entry.SourceText).find(needle) != std::string::npos;
}

std::optional<std::size_t> FindText(const RotationDocument& rotation, std::string_view text,
                                    std::optional<std::size_t> from, SearchDirection direction) {
    if (text.empty()) return std::nullopt;
    return Walk(rotation.EntryCount(), from, direction, false,
                [&](std::size_t i) { return EntryContains(rotation.Entry(i), text); });
}

std::optional<std::size_t> FindPrefix(const RotationDocument& rotation, std::string_view prefix,
                                      std::optional<std::size_t> from) {
    if (prefix.empty()) return std::nullopt;
    return Walk(rotation.EntryCount(), from, SearchDirection::Next, prefix.size() > 1,
                [&](std::size_t i) { return StartsWithIgnoringCase(ShownText(rotation.Entry(i)), prefix); });
}

std::string_view ReferenceKey(std::string_view reference) {
    const std::size_t separator = reference.rfind("::");
    return separator == std::string_view::npos ? reference : reference.substr(separator + 2);
}

const std::string& ShownText(const CycleEntry& entry) {
    return MatchesNoMission(entry) ? entry.SourceText : entry.DisplayText;
}

const std::string& TypedPrefix::Type(char letter, uint32_t now) {
    // Unsigned difference: right across the counter's wrap too.
    if (!last_ || now - *last_ > kPause) typed_.clear();
    last_ = now;
    typed_ += letter;
    return typed_;
}

std::optional<std::size_t> ParsePosition(std::string_view typed, std::size_t entryCount) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!typed.empty() && blank(typed.front())) typed.remove_prefix(1);
    while (!typed.empty() && blank(typed.back())) typed.remove_suffix(1);
    std::size_t position = 0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), position);
    if (typed.empty() || error != std::errc() || end != typed.data() + typed.size()) return std::nullopt;
    if (position < 1 || position > entryCount) return std::nullopt;
    return position - 1;
}

}  // namespace rotaplex
