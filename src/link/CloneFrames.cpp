#include "link/CloneFrames.h"

#include "link/HexText.h"
#include "platform/HexDigits.h"

#include <cstdio>
#include <cstring>

namespace cloneframes {

namespace {

void appendHeader(cmcBuff &out, Direction direction, std::uint8_t command)
{
    const bool toRadio = direction == Direction::ToRadio;
    const std::uint8_t header[] = {kPreamble, kPreamble, std::uint8_t(toRadio ? 0xEE : 0xEF),
                                   std::uint8_t(toRadio ? 0xEF : 0xEE), command};
    out.Append(header, sizeof header);
}

void appendWord(cmcBuff &out, std::int32_t word)
{
    out.AppendByte(std::uint8_t((word >> 8) & 0xFF));
    out.AppendByte(std::uint8_t(word & 0xFF));
}

// "%04X" of the low 16 bits: frames carry 16-bit ids, and a wider value
// must not push the following bytes out of place.
std::string word16(std::int32_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", unsigned(value) & 0xFFFFu);
    return text;
}

std::string byteText(unsigned value)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

} // namespace

void appendHexByte(cmcBuff &out, std::uint8_t byte)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    out.AppendByte(std::uint8_t(digits[byte >> 4]));
    out.AppendByte(std::uint8_t(digits[byte & 0x0F]));
}

int upperHexDigit(std::uint8_t character)
{
    return platform::upperHexDigitValue(static_cast<char>(character));
}

cmcBuff requestFrame(std::uint8_t command, std::int32_t id1, std::int32_t id2)
{
    cmcBuff frame;
    appendHeader(frame, Direction::ToRadio, command);
    appendWord(frame, id1);
    appendWord(frame, id2);
    frame.AppendByte(kEnd);
    return frame;
}

void appendDataFrame(cmcBuff &out, Direction direction, std::int32_t address,
                     const std::uint8_t *bytes, std::int32_t count)
{
    appendHeader(out, direction, kData);
    const auto high = std::uint8_t((address >> 8) & 0xFF);
    const auto low = std::uint8_t(address & 0xFF);
    const auto n = std::uint8_t(count & 0xFF);
    std::uint8_t sum = std::uint8_t(high + low + n);
    appendHexByte(out, high);
    appendHexByte(out, low);
    appendHexByte(out, n);
    for (std::int32_t i = 0; i < count; ++i) {
        appendHexByte(out, bytes[i]);
        sum = std::uint8_t(sum + bytes[i]);
    }
    appendHexByte(out, std::uint8_t(-sum));
    out.AppendByte(kEnd);
}

cmcBuff endFrame(Direction direction, bool withCount, std::int32_t frameCount)
{
    cmcBuff frame;
    appendHeader(frame, direction, kEndOfData);
    frame.Append(reinterpret_cast<const std::uint8_t *>(kMakerText), kMakerTextLength);
    if (withCount)
        appendHexByte(frame, std::uint8_t(frameCount & 0xFF));
    frame.AppendByte(kEnd);
    return frame;
}

cmcBuff endAckFrame()
{
    cmcBuff frame;
    appendHeader(frame, Direction::FromRadio, kEndAck);
    frame.AppendByte(0x00);
    frame.AppendByte(kEnd);
    return frame;
}

std::string speedSelectText(std::int32_t id1, char first, char second)
{
    return "FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 " + word16(id1) + word16(0) + " 01 " +
           byteText(std::uint8_t(first)) + byteText(std::uint8_t(second)) + " FD";
}

std::string clonePasswordText(std::int32_t id1, const std::string &password)
{
    std::uint8_t sum = 0;
    for (const char c : password)
        sum = std::uint8_t(sum + std::uint8_t(c));
    std::string body;
    body += char(std::uint8_t(password.size() & 0xFF));
    body += char(std::uint8_t(-sum));
    body += password;
    return "FEFE EEEF E8 " + word16(id1) + word16(0) + " 99" + HexFromText(body) + " FD";
}

} // namespace cloneframes
