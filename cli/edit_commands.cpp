#include "cli/edit_commands.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "cli/cli_error.h"
#include "cli/json_writer.h"
#include "cli/plain_text.h"
#include "cli/rotation_view.h"
#include "cli/run.h"
#include "cycle/unified_diff.h"
#include "cycle/file_rules.h"
#include "cycle/rotation_file.h"
#include "cycle/rotation_order.h"

namespace rotaplex::cli {

namespace {

// The reason given when servercycle.txt changed between reading and saving.
constexpr const char* kChangedMeanwhileReason = "changed by another program since it was read; nothing was written";
// What standard input may hold: as much as a rotation file.
constexpr uint64_t kInputCap = kRotationFileCap;
constexpr const char* kStandardInput = "standard input";

CliError ListFull(const Edit& edit) {
    return CliError(kBadRequest, edit.Path() + " already lists as many entries as the list can hold");
}

// All of standard input, which only one reader gets.
std::string ReadInput(const Invocation& invocation, const std::string& forWhat) {
    if (!invocation.Input)
        throw CliError(kBadRequest, forWhat + " would read standard input, which holds the edit script");
    std::string text;
    char block[4096];
    for (std::size_t got = 0; text.size() <= kInputCap && (got = std::fread(block, 1, sizeof block, invocation.Input)) > 0;)
        text.append(block, got);
    if (std::ferror(invocation.Input)) ThrowFailed(kStandardInput, "could not be read");
    if (text.size() > kInputCap) ThrowFailed(kStandardInput, TooLargeReason(text.size(), kInputCap));
    return text;
}

// add -: the entry lines of standard input, put in as they stand.
void AddLines(const Invocation& invocation, Edit& edit, std::size_t at) {
    const PastedLines pasted = ReadPastedLines(ReadInput(invocation, "add -"));
    if (pasted.EntryLines.empty())
        throw CliError(kBadRequest, "standard input holds no entry lines (map=<mission-file>::<key>)");
    if (pasted.Skipped > 0 && invocation.Notes) {
        *invocation.Notes << "rotaplex-cli: passed over " << pasted.Skipped
                          << (pasted.Skipped == 1 ? " line of standard input that is no entry line\n"
                                                  : " lines of standard input that are no entry lines\n");
    }
    if (!edit.Document().InsertLines(at, pasted.EntryLines, edit.Catalogue())) throw ListFull(edit);
}

uint64_t FreshSeed() {
    std::random_device device;
    return (uint64_t{device()} << 32) ^ device();
}

}  // namespace

void TellSave(const Invocation& invocation, const SaveOutcome& saved, const std::string& path, Output& out) {
    if (saved.Result == SaveOutcome::Status::ChangedOnDisk || saved.Result == SaveOutcome::Status::RemovedOnDisk)
        ThrowFailed(saved.Path, kChangedMeanwhileReason);
    if (!saved && saved.BackupReplaced) {
        ThrowFailed(saved.Path, saved.Reason + " (the file is as it was; its backup now holds that same version)");
    }
    if (!saved) ThrowFailed(saved.Path, saved.Reason);
    if (!invocation.Json) out << "Saved " << Escaped(path) << '\n';
    if (saved.NotSynced && invocation.Notes) {
        *invocation.Notes << "rotaplex-cli: "
                          << Escaped(path + " is saved, but its folder could not be synced to the disk: " + *saved.NotSynced)
                          << '\n';
    }
    if (saved.OtherVersionIn) ThrowFailed(path, OtherVersionReason(*saved.OtherVersionIn));
}

Edit::Edit(const Invocation& invocation, bool createsMissing)
    : invocation_(invocation), game_(OpenGame(invocation)), lock_(Lock()), document_(Read(createsMissing)) {}

std::size_t Edit::Position(const std::string& typed) const {
    const std::optional<uint64_t> number = ReadNumber(typed);
    if (typed.empty() || typed.find_first_not_of("0123456789") != std::string::npos)
        throw CliError(kBadRequest, "the position \"" + typed + "\" is not a number");
    const std::size_t count = document_.EntryCount();
    if (!number || *number < 1 || *number > count) {
        throw CliError(kBadRequest, "no position " + typed + " in " + Path() + " (" +
                                        (count == 0 ? std::string("it has no entries")
                                                    : "its entries are 1 to " + std::to_string(count)) +
                                        ")");
    }
    return static_cast<std::size_t>(*number - 1);
}

EntrySelection Edit::Range(const std::vector<std::string>& operands) const {
    if (operands.empty()) return EntrySelection::Range(0, document_.EntryCount());
    if (operands.size() != 2) throw CliError(kBadRequest, "give both FROM and TO, or neither");
    const std::size_t from = Position(operands[0]);
    const std::size_t to = Position(operands[1]);
    if (from > to) throw CliError(kBadRequest, "FROM (" + operands[0] + ") comes after TO (" + operands[1] + ")");
    return EntrySelection::Range(from, to - from + 1);
}

// Mission file and key both without regard to letter case; where a file holds the key twice, the
// last one, as an entry naming it would play.
int16_t Edit::Scenario(const std::string& typed) const {
    const std::size_t separator = typed.find("::");
    const bool keyAlone = separator == std::string::npos;
    const std::string_view file = keyAlone ? std::string_view{} : std::string_view(typed).substr(0, separator);
    const std::string_view key = keyAlone ? std::string_view(typed) : std::string_view(typed).substr(separator + 2);
    const MissionCatalogue& catalogue = Catalogue();
    int16_t found = 0;
    std::vector<std::string_view> files;  // keyAlone: the mission files that hold it, last first
    for (int i = catalogue.ScenarioCount(); i >= 1; --i) {
        const ScenarioInfo& record = catalogue.Scenario(i);
        if (!EqualsIgnoringCase(record.ScenarioKey, key)) continue;
        if (!keyAlone && !EqualsIgnoringCase(record.MissionFile, file)) continue;
        if (found == 0) found = static_cast<int16_t>(i);
        if (std::none_of(files.begin(), files.end(),
                         [&](std::string_view known) { return EqualsIgnoringCase(known, record.MissionFile); }))
            files.push_back(record.MissionFile);
    }
    if (files.size() > 1) {
        std::string names;
        for (auto name = files.rbegin(); name != files.rend(); ++name) names += (names.empty() ? "" : " ") + std::string(*name);
        throw CliError(kBadRequest, "the key " + typed + " is in more than one mission file (" + names +
                                        "): give the scenario as <mission-file>::<key>");
    }
    if (found != 0) return found;
    throw CliError(kBadRequest, "no scenario " + std::string(key) +
                                    (keyAlone ? std::string(" in any mission file")
                                              : " in the mission file " + std::string(file)) +
                                    " (rotaplex-cli scenarios lists them)");
}

int Edit::Finish(Output& out) {
    const std::string edited = document_.Text();
    const std::string& read = game_.Session.TextAsRead();
    if (invocation_.DryRun) {
        if (!invocation_.Json) out << UnifiedDiff(read, edited, Path());
    } else if (edited == read) {
        if (!invocation_.Json) out << "Nothing to change in " << Escaped(Path()) << '\n';
    } else {
        TellSave(invocation_, game_.Session.Save(), Path(), out);
    }
    if (invocation_.Json) WriteRotationJson(out, Path(), ViewRotation(edited, Catalogue()), Catalogue());
    return kDone;
}

std::unique_ptr<FolderLock> Edit::Lock() {
    if (invocation_.DryRun) return nullptr;  // writes nothing: no other save to keep out
    try {
        return game_.Session.Lock();
    } catch (const FileError& error) {
        ThrowFailed(error.Path(), error.Reason());
    }
}

RotationDocument& Edit::Read(bool createsMissing) {
    ReadRotation(game_, !createsMissing);
    return game_.Session.Document();
}

void AddStep(const Invocation& invocation, Edit& edit) {
    RotationDocument& document = edit.Document();
    const std::vector<std::string>& typed = invocation.Operands;
    // Where the first new entry comes to stand.
    const std::size_t at = invocation.Before  ? edit.Position(*invocation.Before)
                           : invocation.After ? edit.Position(*invocation.After) + 1
                                              : document.EntryCount();
    if (typed.size() == 1 && typed.front() == "-") return AddLines(invocation, edit, at);
    std::vector<int16_t> scenarios;
    for (const std::string& reference : typed) {
        if (reference == "-") throw CliError(kBadRequest, "give scenarios or -, not both");
        scenarios.push_back(edit.Scenario(reference));
    }
    // One by one, as the editor adds them: each new line beside the one before it.
    for (std::size_t i = 0; i < scenarios.size(); ++i) {
        bool applied = false;
        if (document.EntryCount() == 0) {
            applied = document.InsertFirst(scenarios[i], edit.Catalogue());
        } else if (invocation.Before) {
            applied = document.InsertBefore(at + i, scenarios[i], edit.Catalogue());
        } else {
            applied = document.InsertAfter(at + i - 1, scenarios[i], edit.Catalogue());
        }
        // The positions and the scenarios are valid by now: only a full list refuses an entry.
        if (!applied) throw ListFull(edit);
    }
}

void RemoveStep(const Invocation& invocation, Edit& edit) {
    edit.Document().Remove(edit.Position(invocation.Operands[0]));
}

void MoveStep(const Invocation& invocation, Edit& edit) {
    const std::size_t from = edit.Position(invocation.Operands[0]);
    const std::size_t to = edit.Position(invocation.Operands[1]);
    // Moving an entry onto its own place changes nothing (the document refuses it), as set does
    // with the scenario an entry already has.
    edit.Document().Move(from, to);
}

void SetStep(const Invocation& invocation, Edit& edit) {
    const std::size_t position = edit.Position(invocation.Operands[0]);
    edit.Document().SetScenario(position, edit.Scenario(invocation.Operands[1]), edit.Catalogue());
}

void ShuffleStep(const Invocation& invocation, Edit& edit) {
    const EntrySelection selection = edit.Range(invocation.Operands);
    const std::optional<uint64_t> seed = invocation.Seed ? ReadNumber(*invocation.Seed) : FreshSeed();
    if (!seed) throw CliError(kBadRequest, "the seed \"" + *invocation.Seed + "\" is not a number");
    if (selection.Count() < 2) return;
    RotationDocument& document = edit.Document();
    // An order that happens to keep every entry in place changes nothing, which Reorder refuses.
    document.Reorder(selection, ShuffleOrder(document, selection, *seed, edit.Catalogue()));
}

void SortStep(const Invocation& invocation, Edit& edit) {
    const std::string by = invocation.SortBy.value_or("text");
    if (by != "text" && by != "file")
        throw CliError(kBadRequest, "sort goes --by text or --by file, not \"" + by + "\"");
    const EntrySelection selection = edit.Range(invocation.Operands);
    if (selection.Count() < 2) return;
    RotationDocument& document = edit.Document();
    const SortKey key = by == "text" ? SortKey::DisplayText : SortKey::MissionFile;
    document.Reorder(selection, SortOrder(document, selection, key, edit.Catalogue()));
}

int RunEdit(const Invocation& invocation, Output& out) {
    Edit edit(invocation, invocation.Command->Step == AddStep);
    invocation.Command->Step(invocation, edit);
    return edit.Finish(out);
}

int RunEditScript(const Invocation& invocation, Output& out) {
    const bool fromInput = invocation.Operands.empty() || invocation.Operands.front() == "-";
    const std::string source = fromInput ? kStandardInput : invocation.Operands.front();
    std::string script;
    if (fromInput) {
        script = ReadInput(invocation, "edit");
    } else {
        try {
            script = invocation.Files->Read(source, kInputCap).Bytes;
        } catch (const FileError& error) {
            ThrowFailed(error.Path(), error.Reason());
        }
    }
    // Read before anything is locked or opened: a script that cannot be read changes nothing.
    Invocation scripted = invocation;
    if (fromInput) scripted.Input = nullptr;
    Edit edit(invocation, true);
    std::size_t number = 0;
    for (std::size_t start = 0; start < script.size();) {
        std::size_t end = std::min(script.find('\n', start), script.size());
        std::string_view line(script.data() + start, end - start);
        start = end + 1;
        ++number;
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::vector<std::string> words = SplitWords(line);
        if (words.empty() || words.front().starts_with('#')) continue;
        try {
            const Invocation step = ParseScriptLine(words, CommandTable(), scripted);
            step.Command->Step(step, edit);
        } catch (const CliError& error) {
            throw CliError(error.Status(), source + ":" + std::to_string(number) + ": " + error.what());
        }
    }
    return edit.Finish(out);
}

}  // namespace rotaplex::cli
