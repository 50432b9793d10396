#pragma once

#include "clonefile/AddressBitmap.h"
#include "image/AddressRange.h"
#include "image/cmcEeprom.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class TextFileReader;
}

// Reads and writes clone files: a header line with the model codes, a comment
// line, a map revision line and lines of hexadecimal bytes with addresses.
// Files are written with CR LF; the reader takes CR LF or LF alone. Every
// failure is a small code (below), shown to the user by ShowError before the
// call returns, and a failed read leaves the image exactly as it was.
class cmcVrcFile
{
public:
    enum ErrorCode : int {
        ErrNone = 0,
        ErrFileOpen = 1,   // the file cannot be opened for reading or writing
        ErrFileAccess = 2, // writing any part of the file failed
        ErrModel = 3,      // the header's model code is refused
        ErrExtra = 4,      // the header's sub-code is refused
        ErrMapRev = 5,     // the map revision is refused
        ErrFormat = 6,     // the header or a line is malformed
        ErrCoverage = 7,   // an expected address was not in the file
        ErrData = 8,       // data outside the image or the expected ranges
        ErrNewer = 9,      // the main frame's code for data from a newer program
    };

    // callback(context, revision): true accepts the map revision.
    using MapRevisionCheck = bool (*)(void *context, int revision);
    // callback(context, model code, sub-code, error out): true accepts; on
    // refusal it stores the code to report (3 or 4).
    using HeaderCheck = bool (*)(void *context, int modelCode, int subCode, int *error);

    static constexpr int kBytesPerLine = 16;
    // Longest physical line the reader takes, line end included.
    static constexpr int kMaxLineBytes = 767;

    cmcVrcFile();
    ~cmcVrcFile();
    cmcVrcFile(const cmcVrcFile &) = delete;
    cmcVrcFile &operator=(const cmcVrcFile &) = delete;

    // Attaches the image (not owned) and expects all of it.
    void SetImage(cmcEeprom *image);
    void SetModelCode(uint16_t code) { modelCode_ = code; }
    void SetSubCode(uint16_t code) { subCode_ = code; }
    void SetComment(const std::string &text) { comment_ = text; }
    void SetMapRevision(int revision) { mapRevision_ = revision; }
    // The revision to write, or the one the last Read found (-1 for none).
    int GetMapRevision() const { return mapRevision_; }
    void SetMapRevisionCheck(MapRevisionCheck check, void *context);
    void SetHeaderCheck(HeaderCheck check, void *context);
    // Callers that word failures themselves (the command-line tool) turn
    // the message off; the codes are returned all the same.
    void SetReportErrors(bool report) { reportErrors_ = report; }

    // Writes the header lines and the bytes of the ranges. The file on disk
    // is replaced only once everything was written.
    int Write(const std::string &path, const RangeList &ranges);
    // Reads a file into the image; without ranges the coverage test is the
    // caller's (CheckCoverage).
    int Read(const std::string &path);
    int Read(const std::string &path, const RangeList &ranges);
    // 0, ErrCoverage or ErrData for the bytes loaded by the last Read.
    int CheckCoverage(const RangeList &ranges);
    // Number of image bytes the last Read stored.
    int32_t GetLoadedCount() const;

    // The text key of a code, or nullptr for 0 and unknown codes.
    static const char *ErrorKey(int code);
    // The message text of a code: headline, blank line, the code's line.
    static std::string ErrorText(int code);
    // The one message routine of the file codes (nothing for 0).
    static void ShowError(int code);

private:
    struct DataLine;

    int readAll(const std::string &path, const RangeList *ranges);
    int readFile(const std::string &path);
    int readHeader(platform::TextFileReader &reader);
    int readBody(platform::TextFileReader &reader);
    void noteCommentLine(const std::string &text);
    bool acceptsMapRevision() const;
    static bool parseDataLine(const std::string &text, DataLine &line);
    int storeDataLine(const DataLine &line);
    std::string composeFile(const RangeList &ranges) const;
    std::string commentForFile() const;
    void matchBitmapsToImage();
    void report(int code) const;

    cmcEeprom noImage_;
    cmcEeprom *image_ = &noImage_;
    uint16_t modelCode_ = 0;
    uint16_t subCode_ = 0;
    std::string comment_;
    int mapRevision_ = -1;
    AddressBitmap expected_;
    AddressBitmap loaded_;
    MapRevisionCheck mapRevisionCheck_ = nullptr;
    void *mapRevisionContext_ = nullptr;
    HeaderCheck headerCheck_ = nullptr;
    void *headerContext_ = nullptr;
    bool reportErrors_ = true;
};
