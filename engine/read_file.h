#pragma once
// Reading the program's data files in one go. A data file may be missing,
// damaged, a folder, a FIFO, a device or endless: only a regular file of a
// sane size is read, and nothing ever blocks waiting for a writer.

#include <cstddef>
#include <string>

namespace tovel {

// No real year table, sunset table or settings file comes near this size.
inline constexpr std::size_t kMaxDataFileBytes = 1u << 20;

enum class FileRead {
    Ok,              // `out` holds the whole file
    Missing,         // nothing at that path
    NotRegularFile,  // a folder, a FIFO or a device
    TooLarge,        // larger than the cap
    Unreadable,      // no permission, or a read error
};

// Reads the whole file at `path` into `out`; on any failure `out` is empty.
FileRead ReadDataFile(const std::string& path, std::string& out,
                      std::size_t maxBytes = kMaxDataFileBytes);

// "cannot be read: no such file" and the like, to follow a file name in a message.
std::string FileReadText(FileRead result);

}  // namespace tovel
