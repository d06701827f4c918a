#include "cycle/rotation_document.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

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
    return position < EntryCount() && InsertEntry(position, entryLines_[position], scenario, catalogue);
}

bool RotationDocument::InsertAfter(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue) {
    return position < EntryCount() && InsertEntry(position + 1, entryLines_[position] + 1, scenario, catalogue);
}

bool RotationDocument::InsertFirst(int16_t scenario, const MissionCatalogue& catalogue) {
    if (EntryCount() != 0 || !NamesScenario(catalogue, scenario)) return false;
    CycleEntry entry = EntryForScenario(catalogue, scenario);
    const Line line = AddLine(EntryLine(entry), LineEnd::CrLf);
    return InsertBlockAt(0, {{line, std::move(entry)}});
}

bool RotationDocument::InsertEntry(std::size_t position, std::size_t lineIndex, int16_t scenario,
                                   const MissionCatalogue& catalogue) {
    if (!NamesScenario(catalogue, scenario)) return false;
    CycleEntry entry = EntryForScenario(catalogue, scenario);
    const Line line = AddLine(EntryLine(entry), LineEnd::CrLf);
    return InsertBlock(position, lineIndex, false, {{line, std::move(entry)}});
}

bool RotationDocument::InsertLines(std::size_t position, const std::vector<std::string>& lines,
                                   const MissionCatalogue& catalogue) {
    // A line end inside would split the line on the next read.
    const auto isEntryLine = [](const std::string& line) {
        return line.find_first_of("\r\n") == std::string::npos && EntrySource(line);
    };
    if (!std::all_of(lines.begin(), lines.end(), isEntryLine)) return false;
    if (position > EntryCount() || EntryCount() + lines.size() > kMaxEntries) return false;
    std::vector<NewLine> block;
    block.reserve(lines.size());
    for (const std::string& line : lines) block.push_back({AddLine(line, LineEnd::CrLf), *ReadEntryLine(line, catalogue)});
    return InsertBlockAt(position, std::move(block));
}

bool RotationDocument::ReplaceText(std::string_view text, const MissionCatalogue& catalogue) {
    if (text == Text()) return false;
    RotationDocument read = Read(text, catalogue);
    // Its lines are kept in this document's bytes, after every line held so far.
    const std::size_t offset = bytes_.size();
    bytes_.append(read.bytes_);
    for (Line& line : read.lines_) line.Start += offset;
    Step step;
    step.Kind = StepKind::Whole;
    step.Other = {std::move(read.lines_), std::move(read.entries_), std::move(read.entryLines_), read.unlisted_,
                  read.headerFound_, read.headerLine_};
    // Either way the list is a new one: it is shown from its top.
    step.SelectUndone = step.SelectDone = EntrySelection(0);
    SwapContents(step.Other);
    Record(std::move(step));
    return true;
}

bool RotationDocument::ReplaceEntries(const std::vector<std::string>& lines, const MissionCatalogue& catalogue) {
    const auto isEntryLine = [](const std::string& line) {
        return line.find_first_of("\r\n") == std::string::npos && EntrySource(line);
    };
    if (!std::all_of(lines.begin(), lines.end(), isEntryLine) || lines.size() > kMaxEntries) return false;
    std::string entries;
    for (const std::string& line : lines) entries.append(line).append("\r\n");
    std::string text;
    bool placed = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = TextOf(lines_[i]);
        // Every entry line goes, those past the listed ones too: the server would play them.
        if (headerFound_ && i > headerLine_ && EntrySource(line)) {
            if (!std::exchange(placed, true)) text += entries;
            continue;
        }
        text.append(line).append(EndBytes(lines_[i].End));
        if (headerFound_ && i == headerLine_ && EntryCount() == 0 && !std::exchange(placed, true)) {
            if (lines_[i].End == LineEnd::None) text += "\r\n";
            text += entries;
        }
    }
    if (!placed) {
        if (!text.empty() && !text.ends_with('\n') && !text.ends_with('\r')) text += "\r\n";
        text.append(kCycleHeader).append("\r\n").append(entries);
    }
    return ReplaceText(text, catalogue);
}

void RotationDocument::Rematch(const MissionCatalogue& catalogue) {
    const auto match = [&](const Line& line, CycleEntry& entry) {
        if (std::optional<CycleEntry> read = ReadEntryLine(TextOf(line), catalogue)) entry = std::move(*read);
    };
    for (std::size_t i = 0; i < entries_.size(); ++i) match(lines_[entryLines_[i]], entries_[i]);
    for (Step& step : history_) {
        for (Piece& piece : step.Pieces) match(piece.Held, piece.HeldEntry);
        for (std::size_t i = 0; i < step.Other.Entries.size(); ++i)
            match(step.Other.Lines[step.Other.EntryLines[i]], step.Other.Entries[i]);
    }
}

bool RotationDocument::Duplicate(const EntrySelection& selection) {
    if (!Selectable(selection)) return false;
    std::vector<NewLine> block;
    block.reserve(selection.Count());
    // The copies share their originals' bytes: line texts are never changed in place.
    for (const std::size_t position : selection.Positions()) {
        block.push_back({{lines_[entryLines_[position]].Start, lines_[entryLines_[position]].Length, LineEnd::CrLf},
                         entries_[position]});
    }
    return InsertBlockAt(selection.Last() + 1, std::move(block));
}

bool RotationDocument::InsertBlockAt(std::size_t position, std::vector<NewLine> block) {
    if (position > EntryCount()) return false;
    if (position > 0) return InsertBlock(position, entryLines_[position - 1] + 1, false, std::move(block));
    if (EntryCount() > 0) return InsertBlock(0, entryLines_[0], false, std::move(block));
    if (headerFound_) return InsertBlock(0, headerLine_ + 1, false, std::move(block));
    return InsertBlock(0, lines_.size(), true, std::move(block));
}

bool RotationDocument::InsertBlock(std::size_t position, std::size_t lineIndex, bool withHeader,
                                   std::vector<NewLine> block) {
    if (block.empty() || EntryCount() + block.size() > kMaxEntries) return false;
    Step step;
    step.Kind = StepKind::Insert;
    step.WithHeader = withHeader;
    step.SelectUndone = position;
    step.SelectDone = EntrySelection::Range(position, block.size());
    const std::size_t first = lineIndex + (withHeader ? 1 : 0);
    for (std::size_t i = 0; i < block.size(); ++i) {
        Piece piece;
        piece.Position = position + i;
        piece.LineIndex = first + i;
        piece.Held = block[i].Text;
        piece.Held.End = LineEnd::CrLf;
        piece.HeldEntry = std::move(block[i].Entry);
        // Within the block every line but the last one ends in CR LF.
        piece.EndWith = piece.EndWithout = LineEnd::CrLf;
        step.Pieces.push_back(std::move(piece));
    }
    if (lineIndex > 0) {
        const LineEnd before = lines_[lineIndex - 1].End;
        Piece& front = step.Pieces.front();
        front.EndWithout = front.EndWith = before;
        // The file keeps ending without a line end: the new last line takes that over.
        if (before == LineEnd::None) {
            front.EndWith = LineEnd::CrLf;
            step.Pieces.back().Held.End = LineEnd::None;
        }
    }
    Place(step);
    Record(std::move(step));
    return true;
}

bool RotationDocument::Selectable(const EntrySelection& selection) const {
    return !selection.Empty() && selection.Last() < EntryCount();
}

bool RotationDocument::Remove(std::size_t position) { return Remove(EntrySelection(position)); }

bool RotationDocument::Remove(const EntrySelection& selection) {
    if (!Selectable(selection)) return false;
    Step step;
    step.Kind = StepKind::Remove;
    step.SelectUndone = selection;
    step.SelectDone = selection.First();
    for (const std::size_t position : selection.Positions()) {
        Piece piece;
        piece.Position = position;
        piece.LineIndex = entryLines_[position];
        step.Pieces.push_back(std::move(piece));
    }
    // The line ends as removing the lines one at a time from the last would leave them: the line
    // before each is still there, and the line after it is the next one that stays.
    std::optional<std::size_t> after;
    for (std::size_t i = step.Pieces.size(); i-- > 0;) {
        Piece& piece = step.Pieces[i];
        const bool nextGoesToo = i + 1 < step.Pieces.size() && step.Pieces[i + 1].LineIndex == piece.LineIndex + 1;
        if (!nextGoesToo) after = piece.LineIndex + 1 < lines_.size() ? std::optional(piece.LineIndex + 1) : std::nullopt;
        if (piece.LineIndex == 0) continue;
        const LineEnd removedEnd = nextGoesToo ? step.Pieces[i + 1].EndWithout : lines_[piece.LineIndex].End;
        const Line& before = lines_[piece.LineIndex - 1];
        piece.EndWith = piece.EndWithout = before.End;
        // A last line without a line end hands that over to the line that becomes last, unless
        // that one is empty: without its line end it would be gone.
        if (removedEnd == LineEnd::None && before.Length != 0) piece.EndWithout = LineEnd::None;
        // A lone CR directly before a line that starts with LF would read as CR LF: the two lines
        // would run together.
        if (before.End == LineEnd::Cr && after && TextOf(lines_[*after]).starts_with('\n')) {
            piece.EndWithout = LineEnd::CrLf;
        }
    }
    Take(step);
    Record(std::move(step));
    return true;
}

bool RotationDocument::SetScenario(std::size_t position, int16_t scenario, const MissionCatalogue& catalogue) {
    if (position >= EntryCount() || !NamesScenario(catalogue, scenario)) return false;
    const Line& current = lines_[entryLines_[position]];
    Piece piece;
    piece.Position = position;
    piece.HeldEntry = EntryForScenario(catalogue, scenario);
    const std::string text = EntryLine(piece.HeldEntry);
    const LineEnd end = current.End == LineEnd::None ? LineEnd::None : LineEnd::CrLf;
    if (text == TextOf(current) && end == current.End && piece.HeldEntry == entries_[position]) return false;
    piece.Held = AddLine(text, end);
    Step step;
    step.Kind = StepKind::Replace;
    step.SelectUndone = step.SelectDone = position;
    step.Pieces.push_back(std::move(piece));
    Swap(step);
    Record(std::move(step));
    return true;
}

bool RotationDocument::Move(std::size_t from, std::size_t to) {
    if (from == to || to >= EntryCount()) return false;
    return MoveTo(from, to > from ? to + 1 : to);
}

bool RotationDocument::MoveUp(const EntrySelection& selection) {
    return Selectable(selection) && selection.First() > 0 && MoveTo(selection, selection.First() - 1);
}

bool RotationDocument::MoveDown(const EntrySelection& selection) {
    return Selectable(selection) && selection.Last() + 1 < EntryCount() && MoveTo(selection, selection.Last() + 2);
}

bool RotationDocument::MoveTo(const EntrySelection& selection, std::size_t drop) {
    if (!Selectable(selection) || drop > EntryCount()) return false;
    const std::vector<std::size_t> chosen = selection.Positions();
    const std::size_t chosenBefore =
        static_cast<std::size_t>(std::lower_bound(chosen.begin(), chosen.end(), drop) - chosen.begin());
    const std::size_t start = drop - chosenBefore;  // the block's first place
    const std::size_t first = std::min(selection.First(), start);
    const std::size_t last = std::max(selection.Last(), start + chosen.size() - 1);
    std::vector<std::size_t> from;
    from.reserve(last - first + 1);
    std::size_t next = 0;  // the next chosen position
    for (std::size_t position = first; position <= last; ++position) {
        if (from.size() == start - first) from.insert(from.end(), chosen.begin(), chosen.end());
        if (next < chosen.size() && chosen[next] == position) {
            ++next;
        } else {
            from.push_back(position);
        }
    }
    if (from.size() == start - first) from.insert(from.end(), chosen.begin(), chosen.end());
    return Rearrange(first, from, selection, EntrySelection::Range(start, chosen.size()));
}

bool RotationDocument::Reorder(const EntrySelection& selection, const std::vector<std::size_t>& order) {
    if (!Selectable(selection) || order.size() != selection.Count()) return false;
    std::vector<bool> seen(order.size());
    for (const std::size_t i : order) {
        if (i >= order.size() || seen[i]) return false;
        seen[i] = true;
    }
    const std::vector<std::size_t> chosen = selection.Positions();
    std::vector<std::size_t> from;
    from.reserve(selection.Last() - selection.First() + 1);
    std::size_t next = 0;
    for (std::size_t position = selection.First(); position <= selection.Last(); ++position) {
        const bool isChosen = chosen[next] == position;
        from.push_back(isChosen ? chosen[order[next]] : position);
        if (isChosen) ++next;
    }
    return Rearrange(selection.First(), from, selection, selection);
}

bool RotationDocument::Rearrange(std::size_t first, const std::vector<std::size_t>& from, EntrySelection before,
                                 EntrySelection after) {
    Step step;
    step.Kind = StepKind::Reorder;
    step.First = first;
    bool moves = false;
    step.Order.reserve(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        moves = moves || from[i] != first + i;
        step.Order.push_back(static_cast<uint16_t>(from[i] - first));
    }
    if (!moves) return false;
    step.SelectUndone = std::move(before);
    step.SelectDone = std::move(after);
    ApplyOrder(step, true);
    Record(std::move(step));
    return true;
}

std::string RotationDocument::EntryLinesText(const EntrySelection& selection) const {
    std::string text;
    for (const std::size_t position : selection.Within(EntryCount()).Positions()) {
        text.append(TextOf(lines_[entryLines_[position]])).append(EndBytes(LineEnd::CrLf));
    }
    return text;
}

namespace {

// Puts items in at the ascending indexes at, indexes of the result: item k is give(k).
template <typename T, typename Give>
void InsertSorted(std::vector<T>& items, const std::vector<std::size_t>& at, Give give) {
    std::size_t read = items.size();
    items.resize(items.size() + at.size());
    for (std::size_t write = items.size(), k = at.size(); k > 0;) {
        --write;
        if (at[k - 1] == write) {
            items[write] = give(--k);
        } else {
            items[write] = std::move(items[--read]);
        }
    }
}

// Takes out the items at the ascending indexes at, handing item k to hold(k, item).
template <typename T, typename Hold>
void EraseSorted(std::vector<T>& items, const std::vector<std::size_t>& at, Hold hold) {
    if (at.empty()) return;
    std::size_t write = at.front();
    for (std::size_t read = write, k = 0; read < items.size(); ++read) {
        if (k < at.size() && at[k] == read) {
            hold(k++, std::move(items[read]));
        } else {
            items[write++] = std::move(items[read]);
        }
    }
    items.resize(write);
}

std::vector<std::size_t> PositionsOf(const auto& pieces) {
    std::vector<std::size_t> positions;
    positions.reserve(pieces.size());
    for (const auto& piece : pieces) positions.push_back(piece.Position);
    return positions;
}

}  // namespace

std::vector<std::size_t> RotationDocument::StepLines(const Step& step) {
    std::vector<std::size_t> lines;
    lines.reserve(step.Pieces.size() + 1);
    if (step.WithHeader) lines.push_back(step.Pieces.front().LineIndex - 1);
    for (const Piece& piece : step.Pieces) lines.push_back(piece.LineIndex);
    return lines;
}

std::optional<std::size_t> RotationDocument::LineBefore(const Step& step, std::size_t piece) {
    // The header that comes with the first entry line is not its line before: that is the one
    // before the header.
    const std::size_t header = piece == 0 && step.WithHeader ? 1 : 0;
    const std::size_t line = step.Pieces[piece].LineIndex;
    if (line <= header) return std::nullopt;
    return line - 1 - header;
}

// Lines are put in first; then the ends of the lines before them, in ascending order, so that
// an entry line before another of the step gets its end in the step's presence.
void RotationDocument::Place(Step& step) {
    const std::vector<std::size_t> lines = StepLines(step);
    const std::size_t header = step.WithHeader ? 1 : 0;
    InsertSorted(lines_, lines, [&](std::size_t k) {
        return k < header ? AddLine(kCycleHeader, LineEnd::CrLf) : step.Pieces[k - header].Held;
    });
    for (std::size_t i = 0; i < step.Pieces.size(); ++i) {
        if (const auto before = LineBefore(step, i)) lines_[*before].End = step.Pieces[i].EndWith;
    }
    std::size_t passed = 0;  // lines put in before the entry line
    for (std::size_t& line : entryLines_) {
        while (passed < lines.size() && lines[passed] <= line + passed) ++passed;
        line += passed;
    }
    const std::vector<std::size_t> positions = PositionsOf(step.Pieces);
    InsertSorted(entries_, positions, [&](std::size_t k) { return std::move(step.Pieces[k].HeldEntry); });
    InsertSorted(entryLines_, positions, [&](std::size_t k) { return step.Pieces[k].LineIndex; });
    if (step.WithHeader) {
        headerFound_ = true;
        headerLine_ = lines.front();
    }
}

// The exact inverse of Place: from the last piece to the first, each line is held as it stands
// once the pieces after it are out, and the line before it gets its end without it.
void RotationDocument::Take(Step& step) {
    const std::vector<std::size_t> lines = StepLines(step);
    for (std::size_t i = step.Pieces.size(); i-- > 0;) {
        step.Pieces[i].Held = lines_[step.Pieces[i].LineIndex];
        if (const auto before = LineBefore(step, i)) lines_[*before].End = step.Pieces[i].EndWithout;
    }
    EraseSorted(lines_, lines, [](std::size_t, Line&&) {});
    const std::vector<std::size_t> positions = PositionsOf(step.Pieces);
    EraseSorted(entries_, positions, [&](std::size_t k, CycleEntry&& entry) { step.Pieces[k].HeldEntry = std::move(entry); });
    EraseSorted(entryLines_, positions, [](std::size_t, std::size_t&&) {});
    std::size_t passed = 0;  // lines taken out before the entry line
    for (std::size_t& line : entryLines_) {
        while (passed < lines.size() && lines[passed] < line) ++passed;
        line -= passed;
    }
    if (step.WithHeader) headerFound_ = false;
}

void RotationDocument::Swap(Step& step) {
    Piece& piece = step.Pieces.front();
    std::swap(lines_[entryLines_[piece.Position]], piece.Held);
    std::swap(entries_[piece.Position], piece.HeldEntry);
}

// The entries' line texts trade places; every slot keeps its line end, so a last line without
// one stays last without one.
void RotationDocument::ApplyOrder(const Step& step, bool forward) {
    const std::size_t count = step.Order.size();
    std::vector<Line> texts(count);
    std::vector<CycleEntry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        texts[i] = lines_[entryLines_[step.First + i]];
        entries[i] = std::move(entries_[step.First + i]);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t to = step.First + (forward ? i : step.Order[i]);
        const std::size_t from = forward ? step.Order[i] : i;
        Line& slot = lines_[entryLines_[to]];
        slot.Start = texts[from].Start;
        slot.Length = texts[from].Length;
        entries_[to] = std::move(entries[from]);
    }
}

void RotationDocument::SwapContents(Contents& other) {
    std::swap(lines_, other.Lines);
    std::swap(entries_, other.Entries);
    std::swap(entryLines_, other.EntryLines);
    std::swap(unlisted_, other.Unlisted);
    std::swap(headerFound_, other.HeaderFound);
    std::swap(headerLine_, other.HeaderLine);
}

EntrySelection RotationDocument::Apply(Step& step, bool forward) {
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
    case StepKind::Reorder:
        ApplyOrder(step, forward);
        break;
    case StepKind::Whole:
        SwapContents(step.Other);
        break;
    }
    return forward ? step.SelectDone : step.SelectUndone;
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

EntrySelection RotationDocument::Undo() {
    if (!CanUndo()) return {};
    return Apply(history_[--done_], false);
}

EntrySelection RotationDocument::Redo() {
    if (!CanRedo()) return {};
    return Apply(history_[done_++], true);
}

EntrySelection RotationDocument::LastDone() const { return done_ > 0 ? history_[done_ - 1].SelectDone : EntrySelection{}; }

bool RotationDocument::Changed() const { return savedAt_ != dropped_ + done_; }
void RotationDocument::MarkSaved() { savedAt_ = dropped_ + done_; }

std::string UnlistedEntriesMessage(const std::string& path, std::size_t unlisted) {
    return path + "\nholds more entries than the list can show: it shows the first 32767.\nThe other " +
           std::to_string(unlisted) + " entries are kept unchanged and saved as they were.";
}

}  // namespace rotaplex
