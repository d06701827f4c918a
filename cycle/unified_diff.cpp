#include "cycle/unified_diff.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace rotaplex {

namespace {

constexpr std::size_t kContext = 3;
// Beyond this many changed lines the shortest edit is not searched for: the differing middle is
// shown as removed and added whole, which keeps time and memory bounded on any input.
constexpr std::ptrdiff_t kMaxSearchedChanges = 2000;

// Lines with their ends, so that a changed line end counts as a change.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\r', start);
        if (end == std::string_view::npos) {
            end = text.size();
        } else {
            end += (end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        }
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

enum class Op : char { Keep = ' ', Remove = '-', Add = '+' };

using Lines = std::vector<std::string_view>;

// Myers' greedy shortest edit script of a[aBegin, aEnd) into b[bBegin, bEnd), appended to script;
// false (and nothing appended) when it takes more than kMaxSearchedChanges.
bool ShortestEdit(const Lines& a, std::size_t aBegin, std::size_t aEnd, const Lines& b,
                  std::size_t bBegin, std::size_t bEnd, std::vector<Op>& script) {
    const auto n = static_cast<std::ptrdiff_t>(aEnd - aBegin);
    const auto m = static_cast<std::ptrdiff_t>(bEnd - bBegin);
    const auto same = [&](std::ptrdiff_t x, std::ptrdiff_t y) {
        return a[aBegin + static_cast<std::size_t>(x)] == b[bBegin + static_cast<std::size_t>(y)];
    };
    const std::ptrdiff_t limit = std::min(n + m, kMaxSearchedChanges);
    // trace[d][k + d]: the furthest x reached on diagonal k with d changes.
    std::vector<std::vector<std::ptrdiff_t>> trace;
    for (std::ptrdiff_t d = 0; d <= limit; ++d) {
        std::vector<std::ptrdiff_t> v(static_cast<std::size_t>(2 * d + 1));
        const auto previous = [&](std::ptrdiff_t k) { return trace.back()[static_cast<std::size_t>(k + d - 1)]; };
        for (std::ptrdiff_t k = -d; k <= d; k += 2) {
            std::ptrdiff_t x = 0;
            if (d > 0) x = (k == -d || (k != d && previous(k - 1) < previous(k + 1))) ? previous(k + 1) : previous(k - 1) + 1;
            std::ptrdiff_t y = x - k;
            while (x < n && y < m && same(x, y)) ++x, ++y;
            v[static_cast<std::size_t>(k + d)] = x;
            if (x < n || y < m) continue;
            // Walk back through the trace, then reverse.
            std::vector<Op> path;
            trace.push_back(std::move(v));
            for (std::ptrdiff_t step = d; step > 0; --step) {
                const auto& before = trace[static_cast<std::size_t>(step - 1)];
                const auto at = [&](std::ptrdiff_t diagonal) { return before[static_cast<std::size_t>(diagonal + step - 1)]; };
                const bool down = k == -step || (k != step && at(k - 1) < at(k + 1));
                const std::ptrdiff_t previousK = down ? k + 1 : k - 1;
                const std::ptrdiff_t previousX = at(previousK);
                const std::ptrdiff_t startX = down ? previousX : previousX + 1;
                for (; x > startX; --x) path.push_back(Op::Keep);
                path.push_back(down ? Op::Add : Op::Remove);
                x = previousX;
                k = previousK;
            }
            for (; x > 0; --x) path.push_back(Op::Keep);
            script.insert(script.end(), path.rbegin(), path.rend());
            return true;
        }
        trace.push_back(std::move(v));
    }
    return false;
}

std::vector<Op> EditScript(const Lines& a, const Lines& b) {
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
        ++suffix;
    }
    std::vector<Op> script(prefix, Op::Keep);
    if (!ShortestEdit(a, prefix, a.size() - suffix, b, prefix, b.size() - suffix, script)) {
        script.insert(script.end(), a.size() - suffix - prefix, Op::Remove);
        script.insert(script.end(), b.size() - suffix - prefix, Op::Add);
    }
    script.insert(script.end(), suffix, Op::Keep);
    return script;
}

void AppendLine(std::string& out, char mark, std::string_view line) {
    out += mark;
    std::string_view shown = line;
    if (shown.ends_with("\r\n")) {
        shown.remove_suffix(2);
    } else if (shown.ends_with('\r')) {
        shown.remove_suffix(1);
    }
    out += shown;
    out += '\n';
    if (shown.size() == line.size()) out += "\\ No newline at end of file\n";
}

// "start,count" as diff writes it: the count left out when it is 1, and an empty range
// named by the line before it.
std::string Range(std::size_t first, std::size_t count) {
    std::string range = std::to_string(count == 0 ? first : first + 1);
    if (count != 1) range += "," + std::to_string(count);
    return range;
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view name) {
    const Lines a = SplitLines(before);
    const Lines b = SplitLines(after);
    const std::vector<Op> script = EditScript(a, b);

    std::string out;
    std::size_t i = 0;  // position in script
    std::size_t ai = 0, bi = 0;  // line indexes at script position i
    while (i < script.size()) {
        if (script[i] == Op::Keep) {
            ++i, ++ai, ++bi;
            continue;
        }
        // A hunk: from kContext lines before this change to kContext lines after the last change
        // that follows within 2 * kContext unchanged lines.
        const std::size_t lead = std::min({kContext, ai, bi});
        std::size_t end = i;
        for (std::size_t quiet = 0; end < script.size(); ++end) {
            quiet = script[end] == Op::Keep ? quiet + 1 : 0;
            if (quiet > 2 * kContext) break;
        }
        // Trim the unchanged tail to kContext lines.
        std::size_t tail = 0;
        while (tail < end - i && script[end - 1 - tail] == Op::Keep) ++tail;
        end -= tail - std::min(tail, kContext);

        const std::size_t aFirst = ai - lead, bFirst = bi - lead;
        std::string body;
        std::size_t aCount = lead, bCount = lead;
        for (std::size_t c = 0; c < lead; ++c) AppendLine(body, ' ', a[aFirst + c]);
        for (; i < end; ++i) {
            switch (script[i]) {
                case Op::Keep: AppendLine(body, ' ', a[ai]); ++ai, ++bi, ++aCount, ++bCount; break;
                case Op::Remove: AppendLine(body, '-', a[ai]); ++ai, ++aCount; break;
                case Op::Add: AppendLine(body, '+', b[bi]); ++bi, ++bCount; break;
            }
        }
        if (out.empty()) out.append("--- ").append(name).append("\n+++ ").append(name).append("\n");
        out += "@@ -" + Range(aFirst, aCount) + " +" + Range(bFirst, bCount) + " @@\n" + body;
    }
    return out;
}

}  // namespace rotaplex
