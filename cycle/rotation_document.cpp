#include "cycle/rotation_document.h"

#include <algorithm>
#include <array>
#include <bit>

#include "cycle/limits.h"
#include "cycle/line_reader.h"

namespace rotaplex {

namespace {

constexpr std::size_t kMaxEntries = kMaxTableSize;

constexpr std::string_view EndBytes(LineEnd end) {
    switch (end) {
    case LineEnd::CrLf:
        return "\r\n";
    case LineEnd::Cr:
        return "\r";
    case LineEnd::None:
        break;
    }
    return {};
}

// How the line that the reader just gave, a view into text, ends there.
LineEnd EndAfter(std::string_view text, std::string_view line) {
    const auto end = static_cast<std::size_t>(line.data() - text.data()) + line.size();
    if (end >= text.size()) return LineEnd::None;
    return end + 1 < text.size() && text[end + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
}

bool NamesScenario(const MissionCatalogue& catalogue, int16_t scenario) {
    return scenario > 0 && scenario <= catalogue.ScenarioCount();
}

}  // namespace

RotationDocument RotationDocument::Read(std::string_view text, const MissionCatalogue& catalogue) {
    RotationDocument document;
    // One line per CR at most, plus a last one: the lines grow once instead of doubling their way up.
    const auto lines = CountByte(text, '\r') + 1;
    document.lines_.reserve(lines);
    document.entries_.reserve(std::min(lines, kMaxEntries));
    document.entryLines_.reserve(std::min(lines, kMaxEntries));
    // The lines first, with the texts of the entries to list; then the lookups, each entry
    // announced to the catalogue a few lookups ahead (see MissionCatalogue::Anticipate).
    std::vector<std::string_view> sources;
    sources.reserve(std::min(lines, kMaxEntries));
    document.bytes_ = text;
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        const std::size_t index = document.lines_.size();
        document.lines_.push_back({static_cast<std::size_t>(line.data() - text.data()), line.size(), EndAfter(text, line)});
        if (!document.headerFound_) {
            document.headerFound_ = IsCycleHeader(line, index == 0);
            document.headerLine_ = index;
        } else if (const std::optional<std::string_view> source = EntrySource(line)) {
            if (sources.size() == kMaxEntries) {
                ++document.unlisted_;
                continue;
            }
            sources.push_back(source->substr(0, kMaxEntryTextLength));
            document.entries_.push_back({{}, 0, std::string(*source)});
            document.entryLines_.push_back(index);
        }
    }
    constexpr std::size_t kAhead = 4;  // lookups between two steps of one entry's announcement
    constexpr std::size_t kFurthest = kAhead * MissionCatalogue::kAnticipationSteps;
    // Each entry's lookup is prepared once, when it is first announced, and kept until it is done.
    std::array<MissionCatalogue::EntryLookup, std::bit_ceil(kFurthest + 1)> lookups;
    const auto lookup = [&lookups](std::size_t position) -> MissionCatalogue::EntryLookup& {
        return lookups[position % lookups.size()];
    };
    for (std::size_t position = 0; position < std::min(kFurthest, sources.size()); ++position) {
        lookup(position) = MissionCatalogue::Lookup(sources[position]);
    }
    for (std::size_t position = 0; position < sources.size(); ++position) {
        if (position + kFurthest < sources.size()) {
            lookup(position + kFurthest) = MissionCatalogue::Lookup(sources[position + kFurthest]);
        }
        for (int step = 1; step <= MissionCatalogue::kAnticipationSteps; ++step) {
            const std::size_t ahead = position + kAhead * static_cast<std::size_t>(MissionCatalogue::kAnticipationSteps + 1 - step);
            if (ahead < sources.size()) catalogue.Anticipate(lookup(ahead), step);
        }
        CycleEntry& entry = document.entries_[position];
        entry.ScenarioIndex = catalogue.FindScenario(lookup(position));
        entry.DisplayText = catalogue.DisplayText(entry.ScenarioIndex);
    }
    return document;
}

std::string RotationDocument::Text() const {
    std::size_t size = 0;
    for (const Line& line : lines_) size += line.Length + 2;
    std::string text;
    text.reserve(size);
    for (const Line& line : lines_) text.append(TextOf(line)).append(EndBytes(line.End));
    return text;
}

RotationDocument::Line RotationDocument::AddLine(std::string_view text, LineEnd end) {
    const Line line{bytes_.size(), text.size(), end};
    bytes_.append(text);
    return line;
}

bool RotationDocument::HeaderFound() const { return headerFound_; }
std::size_t RotationDocument::EntryCount() const { return entries_.size(); }
const CycleEntry& RotationDocument::Entry(std::size_t position) const { return entries_[position]; }
std::size_t RotationDocument::EntryLineNumber(std::size_t position) const { return entryLines_[position] + 1; }
std::size_t RotationDocument::UnlistedEntryCount() const { return unlisted_; }

bool RotationDocument::InsertBefore(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue) {
    return position < EntryCount() && InsertAt(position, entryLines_[position], false, scenario, catalogue);
}

bool RotationDocument::InsertAfter(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue) {
    return position < EntryCount() &&
           InsertAt(position + 1, entryLines_[position] + 1, false, scenario, catalogue);
}

bool RotationDocument::InsertFirst(int16_t scenario, const MissionCatalogue& catalogue) {
    if (EntryCount() != 0) return false;
    if (headerFound_) return InsertAt(0, headerLine_ + 1, false, scenario, catalogue);
    return InsertAt(0, lines_.size(), true, scenario, catalogue);
}

bool RotationDocument::InsertAt(std::size_t position, std::size_t lineIndex, bool withHeader, int16_t scenario,
                                const MissionCatalogue& catalogue) {
    if (!NamesScenario(catalogue, scenario) || EntryCount() >= kMaxEntries) return false;
    Step step;
    step.Kind = StepKind::Insert;
    step.Position = position;
    step.LineIndex = lineIndex + (withHeader ? 1 : 0);
    step.WithHeader = withHeader;
    step.HeldEntry = EntryForScenario(catalogue, scenario);
    step.Held = AddLine(EntryLine(step.HeldEntry), LineEnd::CrLf);
    if (lineIndex > 0) {
        LineEnd& before = lines_[lineIndex - 1].End;
        step.EndWithout = step.EndWith = before;
        // The file keeps ending without a line end: the new last line takes that over.
        if (before == LineEnd::None) {
            step.EndWith = LineEnd::CrLf;
            step.Held.End = LineEnd::None;
        }
    }
    Place(step);
    Record(std::move(step));
    return true;
}

bool RotationDocument::Remove(std::size_t position) {
    if (position >= EntryCount()) return false;
    Step step;
    step.Kind = StepKind::Remove;
    step.Position = position;
    step.LineIndex = entryLines_[position];
    if (step.LineIndex > 0) {
        const Line& removed = lines_[step.LineIndex];
        const Line& before = lines_[step.LineIndex - 1];
        const Line* after = step.LineIndex + 1 < lines_.size() ? &lines_[step.LineIndex + 1] : nullptr;
        step.EndWith = step.EndWithout = before.End;
        // A last line without a line end hands that over to the line that becomes last, unless
        // that one is empty: without its line end it would be gone.
        if (removed.End == LineEnd::None && before.Length != 0) step.EndWithout = LineEnd::None;
        // A lone CR directly before a line that starts with LF would read as CR LF: the two lines
        // would run together.
        if (before.End == LineEnd::Cr && after && TextOf(*after).starts_with('\n')) step.EndWithout = LineEnd::CrLf;
    }
    Take(step);
    Record(std::move(step));
    return true;
}

bool RotationDocument::SetScenario(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue) {
    if (position >= EntryCount() || !NamesScenario(catalogue, scenario)) return false;
    const Line& current = lines_[entryLines_[position]];
    Step step;
    step.Kind = StepKind::Replace;
    step.Position = position;
    step.HeldEntry = EntryForScenario(catalogue, scenario);
    const std::string text = EntryLine(step.HeldEntry);
    const LineEnd end = current.End == LineEnd::None ? LineEnd::None : LineEnd::CrLf;
    if (text == TextOf(current) && end == current.End && step.HeldEntry == entries_[position]) return false;
    step.Held = AddLine(text, end);
    Swap(step);
    Record(std::move(step));
    return true;
}

bool RotationDocument::Move(std::size_t from, std::size_t to) {
    if (from >= EntryCount() || to >= EntryCount() || from == to) return false;
    Step step;
    step.Kind = StepKind::Move;
    step.Position = from;
    step.Target = to;
    MoveEntry(from, to);
    Record(std::move(step));
    return true;
}

void RotationDocument::Place(Step& step) {
    if (step.WithHeader) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(step.LineIndex - 1),
                      AddLine(kCycleHeader, LineEnd::CrLf));
        headerFound_ = true;
        headerLine_ = step.LineIndex - 1;
    }
    const std::size_t before = step.LineIndex - (step.WithHeader ? 2 : 1);
    if (step.LineIndex > (step.WithHeader ? 1u : 0u)) lines_[before].End = step.EndWith;
    ShiftEntryLines(step.LineIndex, 1);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(step.LineIndex), std::move(step.Held));
    const auto at = static_cast<std::ptrdiff_t>(step.Position);
    entries_.insert(entries_.begin() + at, std::move(step.HeldEntry));
    entryLines_.insert(entryLines_.begin() + at, step.LineIndex);
}

void RotationDocument::Take(Step& step) {
    const auto at = static_cast<std::ptrdiff_t>(step.Position);
    step.HeldEntry = std::move(entries_[step.Position]);
    entries_.erase(entries_.begin() + at);
    entryLines_.erase(entryLines_.begin() + at);
    step.Held = std::move(lines_[step.LineIndex]);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(step.LineIndex));
    ShiftEntryLines(step.LineIndex, -1);
    if (step.WithHeader) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(step.LineIndex - 1));
        headerFound_ = false;
    }
    const std::size_t before = step.LineIndex - (step.WithHeader ? 2 : 1);
    if (step.LineIndex > (step.WithHeader ? 1u : 0u)) lines_[before].End = step.EndWithout;
}

void RotationDocument::Swap(Step& step) {
    std::swap(lines_[entryLines_[step.Position]], step.Held);
    std::swap(entries_[step.Position], step.HeldEntry);
}

// The moving entry's line text goes to the slot of position to; those between close up. Every
// slot keeps its line end, so a last line without one stays last without one.
void RotationDocument::MoveEntry(std::size_t from, std::size_t to) {
    const Line moving = lines_[entryLines_[from]];
    const auto takeText = [](Line& slot, const Line& text) {
        slot.Start = text.Start;
        slot.Length = text.Length;
    };
    CycleEntry entry = std::move(entries_[from]);
    const std::ptrdiff_t step = from < to ? 1 : -1;
    for (std::size_t at = from; at != to; at += static_cast<std::size_t>(step)) {
        const std::size_t next = at + static_cast<std::size_t>(step);
        takeText(lines_[entryLines_[at]], lines_[entryLines_[next]]);
        entries_[at] = std::move(entries_[next]);
    }
    takeText(lines_[entryLines_[to]], moving);
    entries_[to] = std::move(entry);
}

void RotationDocument::ShiftEntryLines(std::size_t fromLine, std::ptrdiff_t by) {
    for (std::size_t& line : entryLines_) {
        if (line >= fromLine) line = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(line) + by);
    }
}

std::size_t RotationDocument::Apply(Step& step, bool forward) {
    switch (step.Kind) {
    case StepKind::Insert:
        forward ? Place(step) : Take(step);
        break;
    case StepKind::Remove:
        forward ? Take(step) : Place(step);
        break;
    case StepKind::Replace:
        Swap(step);
        break;
    case StepKind::Move:
        MoveEntry(forward ? step.Position : step.Target, forward ? step.Target : step.Position);
        return forward ? step.Target : step.Position;
    }
    return step.Position;
}

void RotationDocument::Record(Step step) {
    // A new edit ends the steps that could be done again; the saved point may go with them.
    if (savedAt_ && *savedAt_ > dropped_ + done_) savedAt_.reset();
    history_.erase(history_.begin() + static_cast<std::ptrdiff_t>(done_), history_.end());
    history_.push_back(std::move(step));
    ++done_;
    if (history_.size() > kUndoSteps) {
        history_.pop_front();
        --done_;
        ++dropped_;
    }
}

bool RotationDocument::CanUndo() const { return done_ > 0; }
bool RotationDocument::CanRedo() const { return done_ < history_.size(); }

std::optional<std::size_t> RotationDocument::Undo() {
    if (!CanUndo()) return std::nullopt;
    return Apply(history_[--done_], false);
}

std::optional<std::size_t> RotationDocument::Redo() {
    if (!CanRedo()) return std::nullopt;
    return Apply(history_[done_++], true);
}

bool RotationDocument::Changed() const { return savedAt_ != dropped_ + done_; }
void RotationDocument::MarkSaved() { savedAt_ = dropped_ + done_; }

std::string UnlistedEntriesMessage(const std::string& path, std::size_t unlisted) {
    return path + "\nholds more entries than the list can show: it shows the first 32767.\nThe other " +
           std::to_string(unlisted) + " entries are kept unchanged and saved as they were.";
}

}  // namespace rotaplex
