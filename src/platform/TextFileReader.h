#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// Reads a text file the way the formats were defined: lines end in CR LF or
// LF alone, and a CR just before the LF is dropped. Positions are byte
// offsets of the file, so a position taken with tell() can be sought back to.
class TextFileReader
{
public:
    TextFileReader() = default;
    ~TextFileReader();
    TextFileReader(const TextFileReader &) = delete;
    TextFileReader &operator=(const TextFileReader &) = delete;

    bool open(const std::string &path);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Reads at most maxBytes - 1 bytes of one line, the LF included when it
    // fits, and stores them NUL-terminated into buffer; like fgets. A longer
    // line is returned in pieces. Returns false at the end of the file.
    bool readLine(char *buffer, int maxBytes);
    // Same, into a string (the LF kept when the line had one).
    bool readLine(std::string &line, int maxBytes);

    int64_t tell() const;
    bool seek(int64_t position);

private:
    std::FILE *file_ = nullptr;
};

} // namespace platform
