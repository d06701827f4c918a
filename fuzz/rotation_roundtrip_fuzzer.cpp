// A rotation file's text held as a document against a fixed catalogue, compared with a plain
// reading, edited at random, saved, read back and undone.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cycle/limits.h"
#include "cycle/line_reader.h"
#include "cycle/rotation_document.h"
#include "cycle/rotation_file.h"
#include "fuzz_check.h"

namespace rotaplex::fuzz {
namespace {

// Keys that differ in case only (the last wins), a key holding "::", and one whose written entry
// "b.nfo::" + key fills the 99 characters that a read takes. A longer one would be found through
// a shorter entry but not through its own written line: the entry format's limit. No key is
// empty, so that the entries "map=" and "map=::" stay unmatched.
MissionCatalogue FixedCatalogue() {
    MissionCatalogue catalogue;
    catalogue.ParseMissionFile(
        "[scenarios]\r\nHill Fight={\r\n[server]\r\nname=Hill\r\nruleset=CTF\r\n}\r\n"
        "Duel={\r\n[server]\r\nname=Duel\r\n}\r\n",
        "hill.nfo");
    catalogue.ParseMissionFile("[scenarios]\r\nDUEL={\r\n[server]\r\nruleset=Teams\r\n}\r\n"
                               "a::b={\r\n[server]\r\n}\r\n" +
                                   std::string(92, 'k') + "={\r\n[server]\r\nname=Long\r\n}\r\n",
                               "b.nfo");
    return catalogue;
}

// The entries of a rotation file read plainly, line by line: what the document must list.
std::vector<CycleEntry> PlainEntries(std::string_view text, const MissionCatalogue& catalogue) {
    std::vector<CycleEntry> entries;
    LineReader reader(text);
    std::string_view line;
    bool header = false;
    for (bool first = true; reader.Next(line); first = false) {
        if (!header) {
            header = IsCycleHeader(line, first);
            continue;
        }
        const std::optional<std::string_view> source = EntrySource(line);
        if (!source || entries.size() == static_cast<std::size_t>(kMaxTableSize)) continue;
        const int16_t index = catalogue.FindScenario(source->substr(0, kMaxEntryTextLength));
        entries.push_back({catalogue.DisplayText(index), index, std::string(*source)});
    }
    return entries;
}

void CheckEntries(const std::vector<CycleEntry>& entries, const MissionCatalogue& catalogue) {
    for (const CycleEntry& entry : entries) {
        Require(entry.ScenarioIndex >= 0 && entry.ScenarioIndex <= catalogue.ScenarioCount(),
                "an entry's index is outside the table");
        Require((entry.ScenarioIndex == 0) == entry.DisplayText.empty(),
                "an entry's display text does not follow its match");
    }
}

// One edit of the document, or an undo or redo, drawn from three bytes of the input.
struct Edit {
    uint8_t Kind, A, B;
};

void ApplyEdit(RotationDocument& document, const Edit& edit, const MissionCatalogue& catalogue) {
    // Positions and scenarios run one past what exists, so that refused edits are tried too.
    const std::size_t a = edit.A % (document.EntryCount() + 1);
    const std::size_t b = edit.B % (document.EntryCount() + 1);
    const auto scenario = static_cast<int16_t>(edit.B % (catalogue.ScenarioCount() + 2));
    // Two positions, which may be far apart or past the end, and a block between them.
    const EntrySelection pair = EntrySelection::Of({a, b});
    const EntrySelection block = EntrySelection::Range(std::min(a, b), std::max(a, b) - std::min(a, b) + 1);
    switch (edit.Kind % 15) {
    case 0:
        document.InsertBefore(a, scenario, catalogue);
        break;
    case 1:
        document.InsertAfter(a, scenario, catalogue);
        break;
    case 2:
        document.InsertFirst(scenario, catalogue);
        break;
    case 3:
        document.Remove(a);
        break;
    case 4:
        document.SetScenario(a, scenario, catalogue);
        break;
    case 5:
        document.Move(a, b);
        break;
    case 6:
        document.Undo();
        break;
    case 8:
        document.Remove(pair);
        break;
    case 9: {
        // Pasted lines: matched, unmatched, blank around, and one that is no entry line.
        static const std::vector<std::string> kLines[] = {
            {"map=hill.nfo::Duel"}, {"  MAP=x::a::b ", "map="}, {"map=b.nfo::Duel", "; no entry"}};
        document.InsertLines(a, kLines[edit.B % 3], catalogue);
        break;
    }
    case 10:
        document.Duplicate(pair);
        break;
    case 11:
        document.MoveUp(pair);
        break;
    case 12:
        document.MoveDown(pair);
        break;
    case 13:
        document.MoveTo(pair, edit.B % (document.EntryCount() + 2));
        break;
    case 14: {
        std::vector<std::size_t> reversed(block.Count());
        for (std::size_t i = 0; i < reversed.size(); ++i) reversed[i] = reversed.size() - 1 - i;
        document.Reorder(block, reversed);
        break;
    }
    default:
        document.Redo();
        break;
    }
}

std::vector<CycleEntry> Entries(const RotationDocument& document) {
    std::vector<CycleEntry> entries;
    for (std::size_t i = 0; i < document.EntryCount(); ++i) entries.push_back(document.Entry(i));
    return entries;
}

// The lines of the saved text that are not listed entries, in their order, without line ends.
std::vector<std::string_view> OtherLines(std::string_view text, const RotationDocument& document) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    std::string_view line;
    std::size_t next = 0;
    for (std::size_t number = 1; reader.Next(line); ++number) {
        if (next < document.EntryCount() && document.EntryLineNumber(next) == number) {
            ++next;
            continue;
        }
        lines.push_back(line);
    }
    return lines;
}

void CheckEdits(std::string_view text, const std::vector<Edit>& edits, const MissionCatalogue& catalogue) {
    RotationDocument document = RotationDocument::Read(text, catalogue);
    Require(document.Text() == text, "a document read and saved unedited changed the file");
    Require(Entries(document) == PlainEntries(text, catalogue), "the document lists other entries than a plain reading");
    CheckEntries(Entries(document), catalogue);
    const std::vector<std::string_view> otherLines = OtherLines(text, document);

    for (const Edit& edit : edits) ApplyEdit(document, edit, catalogue);
    const std::string saved = document.Text();
    const RotationDocument readBack = RotationDocument::Read(saved, catalogue);
    Require(Entries(readBack) == Entries(document), "the saved file reads back as other entries");
    for (std::size_t i = 0; i < document.EntryCount(); ++i) {
        Require(readBack.EntryLineNumber(i) == document.EntryLineNumber(i), "an entry moved to another line");
    }
    std::vector<std::string_view> expected = otherLines;
    // A file without a header gets one, after its own lines, with its first entry.
    if (document.HeaderFound() && !RotationDocument::Read(text, catalogue).HeaderFound()) expected.push_back("[cycle]");
    Require(OtherLines(saved, readBack) == expected, "the lines that are not entries changed");

    while (document.CanUndo()) document.Undo();
    Require(document.Text() == text, "undoing every edit did not give the file back");
    Require(!document.Changed(), "undone back to the file read, yet changed");
}

}  // namespace
}  // namespace rotaplex::fuzz

// The input's last bytes are the edits (a count, then three bytes each); the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace rotaplex;
    static const MissionCatalogue kCatalogue = fuzz::FixedCatalogue();
    FuzzedDataProvider input(data, size);
    std::vector<fuzz::Edit> edits(input.ConsumeIntegralInRange<std::size_t>(0, 24));
    for (fuzz::Edit& edit : edits) {
        edit = {input.ConsumeIntegral<uint8_t>(), input.ConsumeIntegral<uint8_t>(), input.ConsumeIntegral<uint8_t>()};
    }
    const std::string text = input.ConsumeRemainingBytesAsString();
    fuzz::CheckEdits(text, edits, kCatalogue);
    return 0;
}
