#include "app/file_writer.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tovel {

namespace {

std::string Failed(const std::string& path, const char* what, int error) {
    return PrintableName(path) + ": " + what + ": " + std::strerror(error);
}

// Closes the descriptor and, unless told it was renamed, removes the
// temporary file it belongs to.
class TempFile {
public:
    TempFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~TempFile() { Discard(); }
    void Discard() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
        fd_ = -1;
        path_.clear();
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    int Fd() const { return fd_; }
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    void Renamed() { path_.clear(); }

private:
    std::string path_;
    int fd_;
};

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
};

// Writes all of `data` at `offset`; false with errno set on failure.
bool WriteAll(int fd, std::string_view data, off_t offset) {
    while (!data.empty()) {
        const ssize_t n = ::pwrite(fd, data.data(), data.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

bool InMyGroups(gid_t gid) {
    if (gid == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid) return true;
    return false;
}

// Whether the file's mode lets the running user write it. Root may write
// anything, but a file that nobody may write is read-only for root too.
bool ModeAllowsWriting(const struct stat& st) {
    const uid_t me = ::geteuid();
    if (me == 0) return (st.st_mode & 0222) != 0;
    if (st.st_uid == me) return (st.st_mode & S_IWUSR) != 0;
    if (InMyGroups(st.st_gid)) return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The kernel's rule for links in shared folders (protected_symlinks): in a
// sticky folder or one that everyone may write, a link is followed only when
// it belongs to the follower or to the folder's owner.
bool PlantedLink(const std::string& link, const struct stat& linkStat) {
    struct stat folder {};
    if (::stat(FolderOf(link).c_str(), &folder) != 0) return true;
    const bool shared = (folder.st_mode & (S_ISVTX | S_IWOTH)) != 0;
    return shared && linkStat.st_uid != ::geteuid() && linkStat.st_uid != folder.st_uid;
}

// Writes `content` over the file itself, for a folder in which no new file
// can be made. The order is chosen so that a kill or a failure at any moment
// leaves a file that still starts with whole settings:
//  1. a new text longer than the old has its part past the old length
//     appended: a full disk fails here and the file is cut back to the old
//     length, unchanged; a kill leaves the old text followed by that part,
//     which a reader of the first occurrence of each key reads as the old;
//  2. sync;
//  3. the new text is written over the old from the start: this needs no new
//     space; a kill leaves the new text followed by the old tail, or, in the
//     middle of a text longer than a page (which the kernel writes in one
//     piece), the start of the new text followed by the rest of the old;
//  4. sync;
//  5. the file is cut to the new length;
//  6. sync.
// The file is never empty nor shorter than the shorter of the two texts.
std::string WriteInPlace(const std::string& path, const struct stat& old, std::string_view content,
                         const FileWriteOptions& options) {
    auto step = [&](int n) {
        if (options.AfterStep) options.AfterStep(n);
    };
    const Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    const int fd = file.Fd();
    struct stat now {};
    if (fd < 0) return Failed(path, "cannot be written", errno);
    if (::fstat(fd, &now) != 0 || now.st_dev != old.st_dev || now.st_ino != old.st_ino)
        return PrintableName(path) + ": changed while it was being saved";
    const auto oldSize = static_cast<std::size_t>(now.st_size);
    if (content.size() > oldSize) {
        if (!WriteAll(fd, content.substr(oldSize), static_cast<off_t>(oldSize))) {
            const int error = errno;
            [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(oldSize));
            ::fsync(fd);
            return Failed(path, "cannot be written", error);
        }
    }
    step(1);
    if (::fsync(fd) != 0) return Failed(path, "cannot be synced", errno);
    step(2);
    if (!WriteAll(fd, content.substr(0, std::min(oldSize, content.size())), 0))
        return Failed(path, "cannot be written", errno);
    step(3);
    if (::fsync(fd) != 0) return Failed(path, "cannot be synced", errno);
    step(4);
    if (content.size() < oldSize && ::ftruncate(fd, static_cast<off_t>(content.size())) != 0)
        return Failed(path, "cannot be cut to its new length", errno);
    step(5);
    if (::fsync(fd) != 0) return Failed(path, "cannot be synced", errno);
    step(6);
    return "";
}

}  // namespace

// The replacement beside the file:
//  1. a new file ".<name>.<pid>.<n>.tmp" is made in the same folder, with the
//     old file's owner and mode;
//  2. the content is written to it;
//  3. sync; only now can the old file be replaced;
//  4. the new file is renamed over the old in one step.
// A kill before step 4 leaves the old file and the temporary file, which the
// next start removes; after it, the new file.
FileWriteResult ReplaceFile(const std::string& path, std::string_view content,
                            const FileWriteOptions& options) {
    auto step = [&](int n) {
        if (options.AfterStep) options.AfterStep(n);
    };
    if (content.size() > options.MaxBytes)
        return PrintableName(path) + ": not written: it would be larger than " +
               std::to_string(options.MaxBytes / 1024) + " KiB, more than it may hold";
    std::string target = path;
    struct stat old {};
    bool exists = false;
    if (::lstat(path.c_str(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) {
            if (PlantedLink(path, old))
                return PrintableName(path) +
                       ": not written: a symbolic link of another user in a shared folder";
            char resolved[PATH_MAX];
            if (!::realpath(path.c_str(), resolved))
                return Failed(path, "the symbolic link leads nowhere", errno);
            target = resolved;
            if (::lstat(target.c_str(), &old) != 0) return Failed(path, "cannot be read", errno);
        }
        exists = true;
        if (!S_ISREG(old.st_mode))
            return PrintableName(path) + ": not written: it exists and is not a regular file";
        if (!ModeAllowsWriting(old))
            return {PrintableName(path) + ": not written: it is read-only", true};
    } else if (errno != ENOENT) {
        return Failed(path, "cannot be read", errno);
    }

    static std::atomic<int> counter{0};
    const std::string folder = FolderOf(target);
    const std::string name = target.substr(target.find_last_of('/') + 1);
    const std::string temp = folder + "/." + name + "." + std::to_string(::getpid()) + "." +
                             std::to_string(counter++) + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM || errno == EROFS))
            return {WriteInPlace(target, old, content, options)};
        return Failed(path, "cannot be written", errno);
    }
    TempFile file(temp, fd);
    // Root making a file in a user's folder (sudo in a user's own copy) gives
    // it to the folder's owner, who could not replace it otherwise.
    struct stat where {};
    if (!exists && ::geteuid() == 0 && ::stat(folder.c_str(), &where) == 0 && where.st_uid != 0 &&
        ::fchown(fd, where.st_uid, where.st_gid) != 0)
        return Failed(path, "cannot be given to the folder's owner", errno);
    if (exists) {
        struct stat made {};
        const bool owned =
            ::fstat(fd, &made) == 0 && ((made.st_uid == old.st_uid && made.st_gid == old.st_gid) ||
                                        ::fchown(fd, old.st_uid, old.st_gid) == 0);
        if (!owned || ::fchmod(fd, old.st_mode & 07777) != 0) {
            file.Discard();
            return {WriteInPlace(target, old, content, options)};
        }
    }
    step(1);
    if (!WriteAll(fd, content, 0)) return Failed(path, "cannot be written", errno);
    step(2);
    if (::fsync(fd) != 0 || file.Close() != 0) return Failed(path, "cannot be synced", errno);
    step(3);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return Failed(path, "cannot be replaced", errno);
    file.Renamed();
    step(4);
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

std::string PrintableName(std::string_view text) {
    std::string out;
    auto escape = [&](unsigned char b) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", b);
        out += hex;
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            if (b < 0x20 || b == 0x7F)
                escape(b);
            else
                out += static_cast<char>(b);
            ++i;
            continue;
        }
        // The length of a well-formed sequence starting here, or 0.
        std::size_t length = b >= 0xC2 && b <= 0xDF   ? 2
                             : b >= 0xE0 && b <= 0xEF ? 3
                             : b >= 0xF0 && b <= 0xF4 ? 4
                                                      : 0;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned c = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
            const bool second = k == 1;
            const unsigned low = second && b == 0xE0 ? 0xA0 : second && b == 0xF0 ? 0x90 : 0x80;
            const unsigned high = second && b == 0xED ? 0x9F : second && b == 0xF4 ? 0x8F : 0xBF;
            if (c < low || c > high) length = 0;
        }
        if (length == 0) {
            escape(b);
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

}  // namespace tovel
