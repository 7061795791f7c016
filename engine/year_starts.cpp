#include "engine/year_starts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/year_table.h"

namespace tovel {

YearStartTable YearStartTable::FromText(std::string_view text) {
    YearStartTable table;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        const auto year = LineYear(line);
        const auto date = LineDate(line);
        if (!year || !date) continue;
        if (table.starts_.empty()) table.firstYear_ = *year;
        if (*year < table.firstYear_) {
            // Years out of order: widen the index downwards.
            table.starts_.insert(table.starts_.begin(),
                                 static_cast<std::size_t>(table.firstYear_ - *year), std::nullopt);
            table.firstYear_ = *year;
        }
        const auto i = static_cast<std::size_t>(*year - table.firstYear_);
        if (i >= table.starts_.size()) table.starts_.resize(i + 1);
        if (!table.starts_[i]) table.starts_[i] = date;
    }
    return table;
}

std::optional<Date> YearStartTable::StartOf(int jewYear) const {
    if (jewYear < firstYear_) return std::nullopt;
    const auto i = static_cast<std::size_t>(jewYear - firstYear_);
    return i < starts_.size() ? starts_[i] : std::nullopt;
}

std::optional<YearStartTable> ReadYearStartTable(const std::string& path) {
    // Opened without blocking so that a FIFO in the table's place is a failure,
    // not a hang; the size cap keeps a device or a runaway file out of memory.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxYearTableBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        text.append(chunk, static_cast<std::size_t>(n));
        if (static_cast<long>(text.size()) > kMaxYearTableBytes) {  // grew while being read
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return YearStartTable::FromText(text);
}

std::optional<Date> YearTableFile::StartOf(int jewYear) const {
    if (!read_) {
        table_ = ReadYearStartTable(path_);
        read_ = true;
    }
    return table_ ? table_->StartOf(jewYear) : std::nullopt;
}

}  // namespace tovel
