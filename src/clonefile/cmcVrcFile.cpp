#include "clonefile/cmcVrcFile.h"

#include "platform/HexDigits.h"
#include "platform/MessageService.h"
#include "platform/SafeFileWriter.h"
#include "platform/TextFileReader.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const kCommentWord = "Comment=";
const char *const kMapRevisionWord = "MapRev=";
constexpr int kHeaderLength = 8;
constexpr int kMinDataLineLength = 8;
constexpr int kMaxDataLineLength = 6 + 2 * 255;
// Four hexadecimal address digits cannot name more.
constexpr int32_t kLastWritableAddress = 0xFFFF;

const char *const kHeadlineKey = "GI_Mess_FileErr_Headline";
const char *const kErrorKeys[] = {
    nullptr,
    "GI_Mess_FileErr_FileOpen",
    "GI_Mess_FileErr_FileAccess",
    "GI_Mess_FileErr_Model",
    "GI_Mess_FileErr_Extra",
    "GI_Mess_FileErr_MapRev",
    "GI_Mess_FileErr_Format",
    "GI_Mess_FileErr_Coverage",
    "GI_Mess_FileErr_Data",
    "GI_Mess_FileErr_Newer",
};

enum class LineRead { Line, End, Malformed };

// One physical line without its line end. A line longer than the reader
// takes, or one holding a NUL byte, is malformed as a whole: reading it in
// pieces could turn its tail into a line that looks valid.
LineRead readPhysicalLine(platform::TextFileReader &reader, std::string &text, bool &hadLineEnd)
{
    std::array<char, cmcVrcFile::kMaxLineBytes + 1> buffer{};
    const int64_t start = reader.tell();
    if (!reader.readLine(buffer.data(), static_cast<int>(buffer.size())))
        return LineRead::End;
    const size_t length = std::strlen(buffer.data());
    const int64_t consumed = reader.tell() - start;
    hadLineEnd = length > 0 && buffer[length - 1] == '\n';
    // The bytes taken from the file are the visible ones, plus the CR of a
    // CR LF; anything more was hidden behind a NUL.
    const bool wholeLine = consumed == static_cast<int64_t>(length) ||
                           (hadLineEnd && consumed == static_cast<int64_t>(length) + 1);
    if (!wholeLine)
        return LineRead::Malformed;
    if (!hadLineEnd) {
        std::string rest;
        if (reader.readLine(rest, 2))
            return LineRead::Malformed;
    }
    text.assign(buffer.data(), hadLineEnd ? length - 1 : length);
    return LineRead::Line;
}

// Digits known to be valid, read as one base-16 number.
int32_t hexAt(const std::string &text, size_t start, size_t count)
{
    return static_cast<int32_t>(
        platform::hexNumber(std::string_view(text).substr(start, count)).value_or(0));
}

bool allOf(const std::string &text, bool (*accepted)(char))
{
    for (const char c : text) {
        if (!accepted(c))
            return false;
    }
    return true;
}

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// C's decimal reading (blanks, sign, digits up to the first other character,
// 0 without digits), kept within int.
int decimalNumberAt(const std::string &text, size_t start)
{
    if (start >= text.size())
        return 0;
    const long value = std::strtol(text.c_str() + start, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool isRegularFile(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Saving may create a file or replace a plain file the user may write; a
// read-only file or a folder is refused as the file being unopenable.
bool mayWriteTo(const std::string &path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode) && ::access(path.c_str(), W_OK) == 0;
}

} // namespace

struct cmcVrcFile::DataLine {
    int32_t address = 0;
    int32_t count = 0;
    std::array<uint8_t, 255> bytes{};
};

cmcVrcFile::cmcVrcFile() = default;
cmcVrcFile::~cmcVrcFile() = default;

void cmcVrcFile::SetImage(cmcEeprom *image)
{
    image_ = image != nullptr ? image : &noImage_;
    expected_.Reset(image_->GetSize());
    loaded_.Reset(image_->GetSize());
    expected_.MarkSpan(0, image_->GetSize() - 1);
}

void cmcVrcFile::SetMapRevisionCheck(MapRevisionCheck check, void *context)
{
    mapRevisionCheck_ = check;
    mapRevisionContext_ = context;
}

void cmcVrcFile::SetHeaderCheck(HeaderCheck check, void *context)
{
    headerCheck_ = check;
    headerContext_ = context;
}

// ---- writing --------------------------------------------------------------

int cmcVrcFile::Write(const std::string &path, const RangeList &ranges)
{
    platform::SafeFileWriter writer;
    int result = ErrNone;
    if (!mayWriteTo(path) || !writer.open(path))
        result = ErrFileOpen;
    else if (!writer.writeText(composeFile(ranges)) || !writer.commit())
        result = ErrFileAccess;
    report(result);
    return result;
}

std::string cmcVrcFile::composeFile(const RangeList &ranges) const
{
    char header[16];
    std::snprintf(header, sizeof header, "%04X%04X\n", unsigned{modelCode_}, unsigned{subCode_});
    std::string out = header;
    out += std::string("#") + kCommentWord + commentForFile() + "\n";
    out += std::string("#") + kMapRevisionWord + std::to_string(mapRevision_) + "\n";
    for (const AddressRange &range : usableRanges(ranges, image_->GetSize())) {
        if (range.last > kLastWritableAddress)
            break;
        for (int32_t a = range.first; a <= range.last;) {
            const int32_t lineLast =
                std::min(range.last, a - a % kBytesPerLine + kBytesPerLine - 1);
            char lead[8];
            std::snprintf(lead, sizeof lead, "%04X%02X", static_cast<unsigned>(a),
                          static_cast<unsigned>(lineLast - a + 1));
            out += lead;
            for (; a <= lineLast; ++a) {
                char digits[4];
                std::snprintf(digits, sizeof digits, "%02X", unsigned{image_->GetByte(a)});
                out += digits;
            }
            out += '\n';
        }
    }
    return out;
}

// A comment holding a line end (or a NUL) would break the file into lines
// the reader takes for data, and one longer than the reader's line would be
// refused on reading; both are mended here rather than written.
std::string cmcVrcFile::commentForFile() const
{
    std::string text = comment_;
    for (char &c : text) {
        if (c == '\n' || c == '\r' || c == '\0')
            c = ' ';
    }
    const size_t room = kMaxLineBytes - 2 - std::strlen(kCommentWord);
    if (text.size() > room) {
        size_t cut = room;
        // Never cut a UTF-8 character in two.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
    }
    return text;
}

// ---- reading --------------------------------------------------------------

int cmcVrcFile::Read(const std::string &path) { return readAll(path, nullptr); }

int cmcVrcFile::Read(const std::string &path, const RangeList &ranges)
{
    return readAll(path, &ranges);
}

int cmcVrcFile::readAll(const std::string &path, const RangeList *ranges)
{
    matchBitmapsToImage();
    cmcEeprom before;
    before.CopyFrom(*image_);
    loaded_.Clear();
    mapRevision_ = -1;
    int result = readFile(path);
    if (result == ErrNone && ranges != nullptr)
        result = CheckCoverage(*ranges);
    if (result != ErrNone) {
        image_->CopyFrom(before);
        loaded_.Clear();
    }
    report(result);
    return result;
}

// The image may have been resized since it was attached.
void cmcVrcFile::matchBitmapsToImage()
{
    if (loaded_.GetSize() != image_->GetSize())
        SetImage(image_);
}

int cmcVrcFile::readFile(const std::string &path)
{
    platform::TextFileReader reader;
    // Only plain files: a folder reads as nothing and a pipe or device could
    // block forever.
    if (!isRegularFile(path) || !reader.open(path))
        return ErrFileOpen;
    const int result = readHeader(reader);
    return result != ErrNone ? result : readBody(reader);
}

int cmcVrcFile::readHeader(platform::TextFileReader &reader)
{
    std::string text;
    bool hadLineEnd = false;
    if (readPhysicalLine(reader, text, hadLineEnd) != LineRead::Line || !hadLineEnd ||
        text.size() != kHeaderLength || !allOf(text, isDecimalDigit))
        return ErrFormat;
    const int modelCode = hexAt(text, 0, 4);
    const int subCode = hexAt(text, 4, 4);
    int error = ErrModel;
    if (headerCheck_ == nullptr || headerCheck_(headerContext_, modelCode, subCode, &error))
        return ErrNone;
    // A refusal must never read as success.
    return error > ErrNone && error <= ErrNewer ? error : ErrModel;
}

int cmcVrcFile::readBody(platform::TextFileReader &reader)
{
    bool revisionAsked = false;
    std::string text;
    bool hadLineEnd = false;
    for (;;) {
        const LineRead read = readPhysicalLine(reader, text, hadLineEnd);
        if (read == LineRead::End)
            return ErrNone;
        if (read == LineRead::Malformed)
            return ErrFormat;
        if (!text.empty() && text[0] == '#') {
            noteCommentLine(text);
            continue;
        }
        if (!revisionAsked) {
            revisionAsked = true;
            if (!acceptsMapRevision())
                return ErrMapRev;
        }
        DataLine line;
        // A data line must end with its line end: a last line cut short
        // would otherwise pass as complete.
        if (!hadLineEnd || !parseDataLine(text, line))
            return ErrFormat;
        const int result = storeDataLine(line);
        if (result != ErrNone)
            return result;
    }
}

void cmcVrcFile::noteCommentLine(const std::string &text)
{
    if (text.find(kMapRevisionWord, 1) == std::string::npos)
        return;
    // The number is taken at the ninth character, where "#MapRev=" puts it.
    mapRevision_ = decimalNumberAt(text, 1 + std::strlen(kMapRevisionWord));
}

bool cmcVrcFile::acceptsMapRevision() const
{
    return mapRevisionCheck_ == nullptr || mapRevisionCheck_(mapRevisionContext_, mapRevision_);
}

int cmcVrcFile::storeDataLine(const DataLine &line)
{
    const int32_t last = line.address + line.count - 1;
    if (!image_->IsValidAddress(line.address) || !image_->IsValidAddress(last))
        return ErrData;
    image_->WriteBlock(line.address, line.bytes.data(), line.count);
    loaded_.MarkSpan(line.address, last);
    return ErrNone;
}

bool cmcVrcFile::parseDataLine(const std::string &text, DataLine &line)
{
    const auto length = static_cast<int>(text.size());
    if (length < kMinDataLineLength || length > kMaxDataLineLength || !platform::isHexText(text))
        return false;
    line.address = hexAt(text, 0, 4);
    line.count = hexAt(text, 4, 2);
    if (length != 6 + 2 * line.count)
        return false;
    for (int32_t i = 0; i < line.count; ++i)
        line.bytes[static_cast<size_t>(i)] =
            static_cast<uint8_t>(hexAt(text, 6 + 2 * static_cast<size_t>(i), 2));
    return true;
}

// ---- coverage -------------------------------------------------------------

int cmcVrcFile::CheckCoverage(const RangeList &ranges)
{
    matchBitmapsToImage();
    expected_.Clear();
    expected_.MarkRanges(ranges);
    if (loaded_.Equals(expected_))
        return ErrNone;
    return loaded_.HasBitsOutside(expected_) ? ErrData : ErrCoverage;
}

int32_t cmcVrcFile::GetLoadedCount() const { return loaded_.Count(); }

// ---- messages -------------------------------------------------------------

const char *cmcVrcFile::ErrorKey(int code)
{
    if (code <= ErrNone || code > ErrNewer)
        return nullptr;
    return kErrorKeys[code];
}

std::string cmcVrcFile::ErrorText(int code)
{
    const char *key = ErrorKey(code);
    if (key == nullptr)
        return {};
    cmcGTex &texts = mainTextDatabase();
    return texts.GetFirstLine(kHeadlineKey) + "\n\n" + texts.GetFirstLine(key);
}

void cmcVrcFile::ShowError(int code)
{
    if (ErrorKey(code) == nullptr)
        return;
    platform::showMessage(appTitle(), ErrorText(code), platform::MessageIcon::Warning,
                          platform::MessageButtons::Ok);
}

void cmcVrcFile::report(int code) const
{
    if (reportErrors_)
        ShowError(code);
}
