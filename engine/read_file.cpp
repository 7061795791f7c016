#include "engine/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace tovel {

FileRead ReadDataFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    out.clear();
    // O_NONBLOCK keeps the open of a FIFO without a writer from hanging.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable;
    struct stat st {};
    FileRead result = FileRead::Ok;
    if (::fstat(fd, &st) != 0) {
        result = FileRead::Unreadable;
    } else if (!S_ISREG(st.st_mode)) {
        result = FileRead::NotRegularFile;
    } else if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        result = FileRead::TooLarge;
    } else {
        try {
            // Read straight into `out`, with room for one byte more than fstat saw: the file may
            // have grown since, and the end of the file shows as a read of nothing.
            std::size_t used = 0;
            out.resize(static_cast<std::size_t>(st.st_size) + 1);
            for (;;) {
                if (used == out.size()) out.resize(std::min(2 * used, maxBytes + 1));
                const ssize_t n = ::read(fd, out.data() + used, out.size() - used);
                if (n == 0) break;
                if (n < 0) {
                    if (errno == EINTR) continue;
                    result = FileRead::Unreadable;
                    break;
                }
                used += static_cast<std::size_t>(n);
                if (used > maxBytes) {
                    result = FileRead::TooLarge;
                    break;
                }
            }
            out.resize(used);
        } catch (const std::bad_alloc&) {
            result = FileRead::Unreadable;
        }
    }
    ::close(fd);
    if (result != FileRead::Ok) out.clear();
    return result;
}

std::string FileReadText(FileRead result) {
    switch (result) {
        case FileRead::Ok:
            return "read";
        case FileRead::Missing:
            return "cannot be read: no such file";
        case FileRead::NotRegularFile:
            return "cannot be read: not a regular file (a folder, a FIFO or a device)";
        case FileRead::TooLarge:
            return "cannot be read: larger than 1 MiB";
        case FileRead::Unreadable:
            break;
    }
    return "cannot be read";
}

}  // namespace tovel
