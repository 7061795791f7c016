#include "app/ini_file.h"

#include <optional>
#include <string_view>

#include "engine/text.h"

namespace tovel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// ---- lines -------------------------------------------------------------------

// One line of a file: its text and the exact bytes that ended it ("\r\n",
// "\n", "\r", or at the end of the file nothing).
struct Line {
    std::string text;
    std::string ending;
};

// Calls fn(text, ending) for each line of `content`; CR LF, LF and a CR alone
// each end a line.
template <typename Fn>
void ForEachLine(std::string_view content, Fn&& fn) {
    while (!content.empty()) {
        const std::size_t end = content.find_first_of("\r\n");
        const std::string_view text = content.substr(0, end);
        std::size_t length = 0;
        if (end != std::string_view::npos) length = content.substr(end).starts_with("\r\n") ? 2 : 1;
        const std::string_view ending =
            end == std::string_view::npos ? std::string_view() : content.substr(end, length);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + length);
        if (!fn(text, ending)) return;
    }
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section name or key
    std::string_view value;  // key lines only
};

ParsedLine ParseLine(std::string_view text, bool firstLine) {
    if (firstLine && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    text = TrimBlanks(text);
    ParsedLine p;
    if (text.empty() || text.front() == ';' || text.front() == '#') return p;
    if (text.front() == '[') {
        text.remove_prefix(1);
        p.kind = LineKind::Section;
        p.name = TrimBlanks(text.substr(0, text.find(']')));
        return p;
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return p;
    p.kind = LineKind::Key;
    p.name = TrimBlanks(text.substr(0, eq));
    p.value = TrimBlanks(text.substr(eq + 1));
    return p;
}

std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

// ---- writing -----------------------------------------------------------------

bool HasAny(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

// Names that the reader would find again exactly as given.
bool IsStorableName(std::string_view name) {
    using namespace std::string_view_literals;
    return !name.empty() && !IsBlank(name.front()) && !IsBlank(name.back()) &&
           !HasAny(name, "\r\n\0"sv);
}

bool IsStorableKey(std::string_view key) {
    return IsStorableName(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
           key.front() != ';' && key.front() != '#';
}

bool IsStorableValue(std::string_view value) {
    using namespace std::string_view_literals;
    return !HasAny(value, "\r\n\0"sv);
}

void SetKey(std::vector<Line>& lines, const std::string& section, const std::string& key,
            const std::string& value, const std::string& newline) {
    std::string keyLine = key + "=" + value;
    std::optional<std::size_t> header;      // first header of the section
    std::optional<std::size_t> sectionEnd;  // the line after that occurrence
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine p = ParseLine(lines[i].text, i == 0);
        if (p.kind == LineKind::Section) {
            if (header && !sectionEnd) sectionEnd = i;
            inSection = EqualsNoCase(p.name, section);
            if (inSection && !header) header = i;
        } else if (p.kind == LineKind::Key && inSection && EqualsNoCase(p.name, key)) {
            lines[i].text = std::move(keyLine);
            return;
        }
    }
    // A last line without an end gets one.
    auto terminate = [&](Line& line) {
        if (line.ending.empty()) line.ending = newline;
    };
    if (!header) {
        if (!lines.empty()) terminate(lines.back());
        lines.push_back({"[" + section + "]", newline});
        lines.push_back({std::move(keyLine), newline});
        return;
    }
    std::size_t at = sectionEnd.value_or(lines.size());
    // Blank lines and comments just before the next header stay with it.
    while (at - 1 > *header) {
        const std::string_view t = TrimBlanks(lines[at - 1].text);
        if (!t.empty() && t.front() != ';' && t.front() != '#') break;
        --at;
    }
    terminate(lines[at - 1]);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                 Line{std::move(keyLine), newline});
}

}  // namespace

std::string GetProfileString(std::string_view content, const std::string& section,
                             const std::string& key, const std::string& defaultValue,
                             std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    // Leading blanks of the default are kept; only the trailing ones go.
    std::string_view result = defaultValue;
    result = result.substr(0, result.find_last_not_of(" \t") + 1);
    bool inSection = false;
    bool first = true;
    ForEachLine(content, [&](std::string_view text, std::string_view) {
        const ParsedLine p = ParseLine(text, first);
        first = false;
        if (p.kind == LineKind::Section) {
            inSection = EqualsNoCase(p.name, section);
        } else if (p.kind == LineKind::Key && inSection && EqualsNoCase(p.name, key)) {
            result = p.value;
            return false;
        }
        return true;
    });
    result = UpToNul(result);
    return std::string(result.substr(0, bufferSize - 1));
}

std::string ReturnIniValue(std::string_view content, const std::string& VarVal,
                           const std::string& IniVal) {
    constexpr std::size_t kBufferChars = 50;
    // The read may fill all 50 characters; its NUL then lands on the
    // terminator position just past the buffer and is not part of the text.
    const std::string got =
        GetProfileString(content, kProfileSection, VarVal, IniVal, kBufferChars + 1);
    std::string buffer(kBufferChars, ' ');
    buffer.replace(0, got.size(), got);
    if (got.size() < kBufferChars) buffer[got.size()] = '\0';

    std::string_view text = TrimBlanks(buffer, " ");
    if (!text.empty()) text.remove_suffix(1);
    return std::string(TrimBlanks(text, " "));
}

std::optional<std::string> UpdateProfileText(
    std::string_view content, const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& keyValues) {
    if (!IsStorableName(section) || section.find(']') != std::string::npos) return std::nullopt;
    for (const auto& [key, value] : keyValues)
        if (!IsStorableKey(key) || !IsStorableValue(value)) return std::nullopt;

    std::vector<Line> lines;
    ForEachLine(content, [&](std::string_view text, std::string_view ending) {
        lines.push_back({std::string(text), std::string(ending)});
        return true;
    });
    // New lines end as the file's first line does.
    const std::string newline =
        lines.empty() || lines.front().ending.empty() ? "\r\n" : lines.front().ending;

    for (const auto& [key, value] : keyValues) SetKey(lines, section, key, value, newline);

    std::string out;
    out.reserve(content.size() + 64 * keyValues.size() + section.size() + 8);
    for (const Line& line : lines) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

}  // namespace tovel
