#include "engine/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tovel {

FileRead ReadDataFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    out.clear();
    // O_NONBLOCK keeps the open of a FIFO without a writer from hanging.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        return FileRead::Failed;
    }
    FileRead result = FileRead::Ok;
    try {
        out.reserve(static_cast<std::size_t>(st.st_size));
        char chunk[16384];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                result = FileRead::Failed;
                break;
            }
            // The file may have grown since fstat.
            if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
                result = FileRead::Failed;
                break;
            }
            out.append(chunk, static_cast<std::size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        result = FileRead::Failed;
    }
    ::close(fd);
    if (result != FileRead::Ok) out.clear();
    return result;
}

}  // namespace tovel
