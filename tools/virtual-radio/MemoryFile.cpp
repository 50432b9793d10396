#include "MemoryFile.h"

#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/cmcEeprom.h"

#include <algorithm>
#include <cstring>

namespace vradio {

namespace {

void putWord(std::vector<std::uint8_t> &memory, std::size_t address, std::uint16_t value)
{
    memory[address] = static_cast<std::uint8_t>(value >> 8);
    memory[address + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// The file code reports through the program's message boxes unless told
// otherwise; the radio words failures itself.
void prepare(cmcVrcFile &file, cmcEeprom &image)
{
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    file.SetReportErrors(false);
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
    cmcEeprom image;
    image.SetSize(static_cast<std::int32_t>(memory.size()));
    image.WriteBlock(0, memory.data(), image.GetSize());
    cmcVrcFile file;
    prepare(file, image);
    const int code = file.Read(path, clone_file_policy::fileRanges());
    if (code != cmcVrcFile::ErrNone)
        return path + ": " + cmcVrcFile::ErrorKey(code) + " (clone file error " +
               std::to_string(code) + ")";
    image.ReadBlock(0, memory.data(), image.GetSize());
    return {};
}

bool MemoryFile::save(const std::string &path, const std::vector<std::uint8_t> &memory)
{
    cmcEeprom image;
    image.SetSize(static_cast<std::int32_t>(memory.size()));
    image.WriteBlock(0, memory.data(), image.GetSize());
    cmcVrcFile file;
    prepare(file, image);
    file.SetComment("Virtual radio");
    return file.Write(path, clone_file_policy::fileRanges()) == cmcVrcFile::ErrNone;
}

} // namespace vradio
