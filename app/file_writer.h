#pragma once
// Writing a whole file (the settings, a sunset table) so that nothing the user
// had is lost: a write counts only once it has reached the disk, and the old
// file stays as it was, byte for byte, when anything fails on the way.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/read_file.h"

namespace tovel {

struct FileWriteOptions {
    // A file larger than its reader accepts is not written.
    std::size_t MaxBytes = kMaxDataFileBytes;
    // Called after each step of the write (see ReplaceFile), with the step's
    // number counted from 1; tests end the process there.
    std::function<void(int step)> AfterStep;
};

struct FileWriteResult {
    FileWriteResult() = default;
    FileWriteResult(std::string problem, bool readOnly = false)  // NOLINT: a problem converts
        : Problem(std::move(problem)), ReadOnly(readOnly) {}
    std::string Problem;    // "" when written, else what went wrong, naming the file
    bool ReadOnly = false;  // not written because the file is read-only
    bool Ok() const { return Problem.empty(); }
};

// Replaces the file at `path` with `content`. The old file is kept when:
//  - `content` is larger than options.MaxBytes;
//  - it is read-only by its mode bits for the running user (for root: no
//    write bit at all), or not a regular file;
//  - `path` is a symbolic link in a folder that is sticky or writable by
//    everyone, and neither the running user nor the folder's owner owns the
//    link (another user may have planted it there);
//  - any write, flush or sync fails (a full disk, a file size limit).
// A symbolic link is otherwise followed, and its target written. The new
// file keeps the old one's owner and mode; a file that root makes in another
// user's folder belongs to that user. Where the folder cannot be written,
// or the new file could not be given the old owner, the file is written in
// place (see the states in file_writer.cpp).
FileWriteResult ReplaceFile(const std::string& path, std::string_view content,
                            const FileWriteOptions& options = {});

// `text` with control characters, DEL and bytes that are not UTF-8 written as
// \xNN, for a file name in a message.
std::string PrintableName(std::string_view text);

}  // namespace tovel
