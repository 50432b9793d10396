#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vradio {

// The radio's memory in a clone file: loaded at start, saved after a write.
class MemoryFile
{
public:
    // Zeroed memory with the identification the program checks after a
    // read: layout code, maker text, map revision, model code and an empty
    // parameter table ended by its marker.
    static std::vector<std::uint8_t> blankMemory(std::size_t size);

    // Reads the file's data lines over the memory given; an error text when
    // the file cannot be used (the memory is then unchanged).
    static std::string load(const std::string &path, std::vector<std::uint8_t> &memory);
    // Writes the whole memory as a clone file; false when that failed.
    static bool save(const std::string &path, const std::vector<std::uint8_t> &memory);
};

} // namespace vradio
