#include "engine/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
            out.reserve(static_cast<std::size_t>(st.st_size));
            char chunk[16384];
            for (;;) {
                const ssize_t n = ::read(fd, chunk, sizeof chunk);
                if (n == 0) break;
                if (n < 0) {
                    if (errno == EINTR) continue;
                    result = FileRead::Unreadable;
                    break;
                }
                // The file may have grown since fstat.
                if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
                    result = FileRead::TooLarge;
                    break;
                }
                out.append(chunk, static_cast<std::size_t>(n));
            }
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
