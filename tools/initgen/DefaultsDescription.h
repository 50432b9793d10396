#pragma once

#include "image/cmcEeprom.h"

#include <string>
#include <vector>

// The readable description of a new radio's factory settings. Each line is
// one of
//   file <model type> <file name>          the initial file of a model type
//   [all] | [type0] | [type1]              which model types the lines below serve
//   set <offset> <byte> ...                bytes from the offset on
//   fill <offset> <count> <byte>           count copies of one byte
//   text <offset> <length> "<text>"        ASCII text padded with blanks
// Offsets are working-image offsets: below 0xFF80 the radio layout's fixed
// fields, above it the working layout. Numbers are hexadecimal (0x...) or
// decimal; bytes are hexadecimal; '#' starts a comment.
class DefaultsDescription
{
public:
    // False with a message naming the line when the text is malformed.
    bool Parse(const std::string &text, std::string &error);
    // Writes the settings of one model type into a working image.
    void Apply(int modelType, cmcEeprom &image) const;
    std::string FileName(int modelType) const { return fileNames_[modelType & 1]; }

private:
    struct Write {
        int modelType; // -1 for every model type
        int32_t offset;
        std::string bytes;
    };

    bool parseLine(const std::string &line, std::string &error);

    std::string fileNames_[2];
    int section_ = -1;
    std::vector<Write> writes_;
};
