#pragma once
// Fuzz targets read their input through the same file readers as the program:
// each input is written to one file in a private folder first.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tovel::fuzz {

inline const std::string& Folder() {
    static std::string folder =
        (std::filesystem::temp_directory_path() / "tovel-fuzz-XXXXXX").string();
    static const bool made = ::mkdtemp(folder.data()) != nullptr;
    if (!made) std::abort();
    return folder;
}

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline std::string WriteInput(const std::string& name, std::string_view text) {
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    return path;
}

// A check that must hold for every input; a failure is a crash the fuzzer keeps.
inline void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace tovel::fuzz
