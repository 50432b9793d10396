#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vradio {

// The radio's memory in a clone file, read and written by the program's own
// clone file code: loaded at start, saved after every accepted write.
class MemoryFile
{
public:
    // Zeroed memory with the identification the program checks after a
    // read: layout code, maker text, map revision, model code and an empty
    // parameter table ended by its marker.
    static std::vector<std::uint8_t> blankMemory(std::size_t size);

    // Reads a whole clone file (0x0000 to 0xFF7F) into the memory; an error
    // text when the file cannot be used, the memory then unchanged.
    static std::string load(const std::string &path, std::vector<std::uint8_t> &memory);
    // Writes the memory as a clone file; false when that failed.
    static bool save(const std::string &path, const std::vector<std::uint8_t> &memory);
};

} // namespace vradio
