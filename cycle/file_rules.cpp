#include "cycle/file_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <random>
#include <vector>

#include "cycle/line_reader.h"
#include "cycle/scenario_info.h"

namespace rotaplex {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Calls part(text) for every part between separators, empty ones included.
template <typename Part>
void ForEachPart(std::string_view path, Part part) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            part(path.substr(start, i - start));
            start = i + 1;
        }
    }
}

}  // namespace

bool IsDeviceName(std::string_view name) {
    // Windows looks at the name before the first dot, with trailing blanks dropped.
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    static constexpr std::array<std::string_view, 6> kPlain{"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (std::string_view device : kPlain)
        if (SameLetters(name, device)) return true;
    if (name.size() != 4 || !(SameLetters(name.substr(0, 3), "com") || SameLetters(name.substr(0, 3), "lpt")))
        return false;
    return name[3] >= '0' && name[3] <= '9';
}

bool IsWindowsFileName(std::string_view name) {
    if (name.empty() || name.back() == ' ' || name.back() == '.') return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            return false;
    return true;
}

bool NamesDevice(std::string_view path) {
    bool device = false;
    ForEachPart(path, [&](std::string_view part) { device = device || IsDeviceName(part); });
    return device;
}

bool StaysInside(std::string_view relative) {
    if (relative.empty() || IsSeparator(relative.front()) || relative.find(':') != std::string_view::npos)
        return false;
    int depth = 0;
    bool inside = true;
    ForEachPart(relative, [&](std::string_view part) {
        // Windows drops trailing dots and blanks of a name, so "..." and ".. " are ".." too.
        const bool dotsOnly = !part.empty() && part.find_first_not_of(". ") == std::string_view::npos;
        if (dotsOnly && part.find("..") != std::string_view::npos) {
            if (--depth < 0) inside = false;
        } else if (!part.empty() && !dotsOnly) {
            ++depth;
        }
    });
    return inside;
}

std::string TooLargeReason(uint64_t size, uint64_t cap) {
    return "The file is too large: " + std::to_string(size) + " bytes. Rotaplex reads files of up to " +
           std::to_string(cap >> 20) + " MB.";
}

std::string TooLargeToSaveReason(uint64_t size, uint64_t cap) {
    return "The rotation would be " + std::to_string(size) + " bytes, and Rotaplex reads files of up to " +
           std::to_string(cap >> 20) + " MB: it would not open it again. Nothing was written.";
}

std::string ShownScenarioText(std::string_view head, uint64_t fullSize) {
    std::string text = WithCrLfLineEnds(head);
    if (fullSize > head.size())
        text += "[Only the first " + std::to_string(head.size()) + " of the file's " + std::to_string(fullSize) +
                " bytes are shown.]\r\n";
    return text;
}

std::string ChangedOnDiskQuestion(const std::string& path) {
    return path +
           "\nwas changed by another program after Rotaplex read it.\n\n"
           "Save over it? Yes puts your rotation in its place; the other program's version is kept only as " +
           BackupPath(path.substr(path.find_last_of("\\/") + 1)) +
           " until the next save. No saves nothing, leaves the other program's version as it is and takes you "
           "back to your changes. Compare shows what differs first.";
}

std::string RemovedOnDiskQuestion(const std::string& path) {
    return path +
           "\nwas removed by another program after Rotaplex read it.\n\n"
           "Save it again? Yes writes your rotation as a new file. No saves nothing, leaves the file removed "
           "and takes you back to your changes. Compare shows what saving would write.";
}

std::string TemporaryNameBeside(const std::string& target) {
    static std::random_device random;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%08x%08x", random(), random());
    return target + "." + hex + ".tmp";
}

bool IsTemporaryNameOf(std::string_view name, std::string_view targetName) {
    constexpr std::size_t kHexDigits = 16;
    constexpr std::string_view kEnding = ".tmp";
    if (name.size() != targetName.size() + 1 + kHexDigits + kEnding.size()) return false;
    if (!EqualsIgnoringCase(name.substr(0, targetName.size()), targetName) || name[targetName.size()] != '.') return false;
    const std::string_view hex = name.substr(targetName.size() + 1, kHexDigits);
    return std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }) &&
           EqualsIgnoringCase(name.substr(name.size() - kEnding.size()), kEnding);
}

std::string BackupPath(const std::string& path) { return path + ".bak"; }

bool LooksLikeUtf16(std::string_view bytes) {
    if (bytes.starts_with("\xff\xfe") || bytes.starts_with("\xfe\xff")) return true;
    const auto ascii = [](char c) { return c > 0 && static_cast<unsigned char>(c) < 0x80; };
    return bytes.size() >= 2 && ((ascii(bytes[0]) && bytes[1] == 0) || (bytes[0] == 0 && ascii(bytes[1])));
}

std::string NotARotationLinkReason(const std::string& target) {
    return "This is a link to " + target +
           ", which holds no mission rotation. Rotaplex does not write through it; nothing was written.";
}

std::string OtherVersionReason(const std::string& backup) {
    return "changed by another program while Rotaplex saved it. Your rotation is saved; the other program's "
           "version is in " + backup + ".";
}

std::string OtherVersionMessage(const std::string& path, const std::string& backup) {
    return path + "\nwas " + OtherVersionReason(backup);
}

std::string LeftoverTemporaryMessage(const std::string& path) {
    return path + ": left by a save that was cut short; the next save removes it";
}

std::string FolderPath(std::string_view given, char separator) {
    std::string folder(given);
    if (!folder.ends_with(separator) && !folder.ends_with('/')) folder += separator;
    return folder;
}

std::string FolderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) return ".";
    return path.substr(0, separator == 0 ? 1 : separator);
}

}  // namespace rotaplex
