#include "MemoryFile.h"

#include "platform/SafeFileWriter.h"
#include "platform/TextFileReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vradio {

namespace {

constexpr int kMaxLine = 767;
constexpr char kModelHeader[] = "3079";

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(c & ~0x20);
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// The value of count hex digits at text[first], -1 when one is no digit.
long hexValue(const std::string &text, std::size_t first, std::size_t count)
{
    long value = 0;
    for (std::size_t i = first; i < first + count; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

std::string withoutLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

bool headerValid(const std::string &line)
{
    return line.size() == 8 &&
           std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Address, count, bytes; stored only when the whole line is sound.
bool storeDataLine(const std::string &line, std::vector<std::uint8_t> &memory)
{
    if (line.size() < 8 || line.size() % 2 != 0)
        return false;
    const long address = hexValue(line, 0, 4);
    const long count = hexValue(line, 4, 2);
    if (address < 0 || count <= 0 || line.size() != 6 + 2 * static_cast<std::size_t>(count) ||
        static_cast<std::size_t>(address + count) > memory.size())
        return false;
    std::vector<std::uint8_t> bytes;
    for (long i = 0; i < count; ++i) {
        const long value = hexValue(line, 6 + 2 * static_cast<std::size_t>(i), 2);
        if (value < 0)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    std::copy(bytes.begin(), bytes.end(), memory.begin() + address);
    return true;
}

void putWord(std::vector<std::uint8_t> &memory, std::size_t address, std::uint16_t value)
{
    memory[address] = static_cast<std::uint8_t>(value >> 8);
    memory[address + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

std::vector<std::uint8_t> MemoryFile::blankMemory(std::size_t size)
{
    std::vector<std::uint8_t> memory(std::max<std::size_t>(size, 0x210), 0);
    static constexpr char kMarker[] = "VORN Inc";
    putWord(memory, 0x90, 0x3063);
    std::memcpy(&memory[0x100], kMarker, 8);
    memory[0x108] = 1;
    putWord(memory, 0x10A, 0x3079);
    // The parameter table starts at 0x200 and holds only its end marker.
    std::memcpy(&memory[0x200], kMarker, 8);
    putWord(memory, 0x112, 0x208);
    putWord(memory, 0x114, 0x200);
    memory.resize(size);
    return memory;
}

std::string MemoryFile::load(const std::string &path, std::vector<std::uint8_t> &memory)
{
    platform::TextFileReader reader;
    if (!reader.open(path))
        return "cannot open " + path;
    std::string line;
    if (!reader.readLine(line, kMaxLine) || !headerValid(withoutLineEnd(line)))
        return path + ": no clone file header";
    if (line.compare(0, 4, kModelHeader) != 0)
        return path + ": a clone file of another model";
    std::vector<std::uint8_t> loaded = memory;
    int number = 1;
    while (reader.readLine(line, kMaxLine)) {
        ++number;
        if (line[0] == '#')
            continue;
        if (!storeDataLine(withoutLineEnd(line), loaded))
            return path + ": line " + std::to_string(number) + " is malformed";
    }
    memory.swap(loaded);
    return {};
}

bool MemoryFile::save(const std::string &path, const std::vector<std::uint8_t> &memory)
{
    platform::SafeFileWriter writer;
    if (!writer.open(path))
        return false;
    std::string text = "30790000\n#Comment=Virtual radio\n#MapRev=1\n";
    char line[64];
    for (std::size_t address = 0; address < memory.size(); address += 16) {
        const std::size_t count = std::min<std::size_t>(16, memory.size() - address);
        int at = std::snprintf(line, sizeof line, "%04zX%02zX", address, count);
        for (std::size_t i = 0; i < count; ++i)
            at += std::snprintf(line + at, sizeof line - static_cast<std::size_t>(at), "%02X",
                                memory[address + i]);
        text += line;
        text += '\n';
    }
    return writer.writeText(text) && writer.commit();
}

} // namespace vradio
