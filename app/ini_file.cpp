#include "app/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string_view>

namespace tovel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// ---- file contents -----------------------------------------------------------

enum class ReadStatus { Ok, Missing, Failed };

// Reads a whole regular file. Anything else (a folder, a FIFO, a device) is a
// failure; opening without blocking keeps a FIFO from hanging the caller.
ReadStatus ReadWholeFile(const std::string& path, std::string& out, mode_t* mode = nullptr) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadStatus::Failed;
    }
    if (mode) *mode = st.st_mode & 07777;
    if (st.st_size > 0) out.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            out.clear();
            return ReadStatus::Failed;
        }
        out.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadStatus::Ok;
}

// ---- lines -------------------------------------------------------------------

// One line of a file: its text and the exact bytes that ended it ("\r\n",
// "\n", or at the end of the file "\r" or nothing).
struct Line {
    std::string text;
    std::string ending;
};

// Calls fn(text, ending) for each line of `content`.
template <typename Fn>
void ForEachLine(std::string_view content, Fn&& fn) {
    while (!content.empty()) {
        const std::size_t lf = content.find('\n');
        std::string_view text = content.substr(0, lf);
        std::string_view ending;
        if (lf == std::string_view::npos) {
            content = {};
        } else {
            content.remove_prefix(lf + 1);
            ending = "\n";
        }
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
            ending = ending.empty() ? std::string_view("\r") : std::string_view("\r\n");
        }
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

std::string_view TrimTrailingBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
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
    auto terminate = [&](Line& line) {
        if (line.ending != "\n" && line.ending != "\r\n") line.ending = newline;
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
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(keyLine), newline});
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Replaces the file at `target` with `content` through a temporary file in the
// same folder, so a reader sees either the old file or the new one.
bool ReplaceFile(const std::string& target, std::string_view content, std::optional<mode_t> mode) {
    namespace fs = std::filesystem;
    const fs::path targetPath(target);
    const std::string name = targetPath.filename().string();
    if (name.empty() || name == "." || name == "..") return false;
    fs::path folder = targetPath.parent_path();
    if (folder.empty()) folder = ".";

    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = (folder / ("." + name + "." + std::to_string(::getpid()) + "." +
                          std::to_string(counter.fetch_add(1)) + ".tmp"))
                   .string();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = true;
    if (mode) ok = ::fchmod(fd, *mode) == 0;
    ok = ok && WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; the new file is in place either way.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool WriteProfileStringsImpl(const std::string& path, const std::string& section,
                             const std::vector<std::pair<std::string, std::string>>& keyValues) {
    if (!IsStorableName(section) || section.find(']') != std::string::npos) return false;
    for (const auto& [key, value] : keyValues)
        if (!IsStorableKey(key) || !IsStorableValue(value)) return false;

    // Replace the file a link points to, not the link.
    std::string target = path;
    struct stat linkStat {};
    if (::lstat(path.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode)) {
        std::error_code ec;
        target = std::filesystem::canonical(path, ec).string();
        if (ec) return false;
    }

    std::string old;
    mode_t mode = 0;
    const ReadStatus status = ReadWholeFile(target, old, &mode);
    if (status == ReadStatus::Failed) return false;

    std::vector<Line> lines;
    ForEachLine(old, [&](std::string_view text, std::string_view ending) {
        lines.push_back({std::string(text), std::string(ending)});
        return true;
    });
    std::string newline = "\r\n";
    for (const Line& line : lines)
        if (line.ending == "\n" || line.ending == "\r\n") {
            newline = line.ending;
            break;
        }

    for (const auto& [key, value] : keyValues) SetKey(lines, section, key, value, newline);

    std::string content;
    content.reserve(old.size() + 64 * keyValues.size() + section.size() + 8);
    for (const Line& line : lines) {
        content += line.text;
        content += line.ending;
    }
    return ReplaceFile(target, content,
                       status == ReadStatus::Ok ? std::optional<mode_t>(mode) : std::nullopt);
}

}  // namespace

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, std::size_t bufferSize,
                             const std::string& path) {
    if (bufferSize == 0) return {};
    // Leading blanks of the default are kept; only the trailing ones go.
    std::string_view result = TrimTrailingBlanks(defaultValue);
    std::string content;
    try {
        if (ReadWholeFile(path, content) == ReadStatus::Ok) {
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
        }
    } catch (...) {
        // Out of memory on a giant file: fall back to the default.
        result = TrimTrailingBlanks(defaultValue);
    }
    result = UpToNul(result);
    return std::string(result.substr(0, bufferSize - 1));
}

std::string ReturnIniValue(const std::string& path, const std::string& VarVal,
                           const std::string& IniVal) {
    constexpr std::size_t kBufferChars = 50;
    // The read may fill all 50 characters; its NUL then lands on the
    // terminator position just past the buffer and is not part of the text.
    const std::string got = GetProfileString(kProfileSection, VarVal, IniVal, kBufferChars + 1, path);
    std::string buffer(kBufferChars, ' ');
    buffer.replace(0, got.size(), got);
    if (got.size() < kBufferChars) buffer[got.size()] = '\0';

    auto trimSpaces = [](std::string_view s) {
        while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
        while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
        return s;
    };
    std::string_view text = trimSpaces(buffer);
    if (!text.empty()) text.remove_suffix(1);
    return std::string(trimSpaces(text));
}

bool WriteProfileStrings(const std::string& path, const std::string& section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues) noexcept {
    try {
        return WriteProfileStringsImpl(path, section, keyValues);
    } catch (...) {
        return false;
    }
}

}  // namespace tovel
