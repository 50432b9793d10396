#include "RadioTestSupport.h"

#include "FrameAssembler.h"
#include "link/HexText.h"

#include <cstdio>

namespace vradio_testing {

namespace {

// Frames are written as hex text, as the program composes them.
Bytes fromHex(const std::string &text)
{
    const cmcBuff buffer = BytesFromHex(text);
    return Bytes(buffer.Data(), buffer.Data() + buffer.Length());
}

std::string hex2(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

std::string hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

const std::string kIds = hex4(0x3079) + hex4(0);

} // namespace

Bytes textBytes(const std::string &text) { return Bytes(text.begin(), text.end()); }

Bytes requestFrame(std::uint8_t command, int preamble)
{
    std::string text;
    for (int i = 0; i < preamble; ++i)
        text += "FE";
    return fromHex(text + "FEFE EE EF " + hex2(command) + kIds + " FD");
}

Bytes dataFrame(std::uint16_t address, const Bytes &data)
{
    unsigned sum = (address >> 8) + (address & 0xFF) + static_cast<unsigned>(data.size());
    std::string ascii = hex4(address) + hex2(static_cast<unsigned>(data.size()));
    for (const std::uint8_t b : data) {
        ascii += hex2(b);
        sum += b;
    }
    ascii += hex2(-sum);
    return fromHex("FEFE EE EF E4" + HexFromText(ascii) + "FD");
}

Bytes endFrame(int frameCount)
{
    return fromHex("FEFE EE EF E5 56 6F 72 6E 20 49 6E 63 2E" +
                   HexFromText(hex2(static_cast<unsigned>(frameCount))) + "FD");
}

Bytes passwordFrame(const std::string &password)
{
    unsigned sum = 0;
    for (const char c : password)
        sum += static_cast<std::uint8_t>(c);
    std::string parts;
    parts += static_cast<char>(password.size() % 256);
    parts += static_cast<char>(-sum & 0xFF);
    parts += password;
    return fromHex("FEFE EEEF E8 " + kIds + " 99" + HexFromText(parts) + " FD");
}

Bytes speedSelectFrame(bool highSpeed)
{
    // ASCII "09" selects 38400 baud, "27" 9600 baud.
    return fromHex("FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 " + hex4(0x3079) + hex4(0) +
                   " 01 " + (highSpeed ? "3039" : "3237") + " FD");
}

Bytes commandFrame(std::uint8_t command, std::uint8_t value)
{
    return fromHex("FEFE EE EF E8 " + kIds + hex2(command) + HexFromText(hex2(value)) + " FD");
}

std::vector<Bytes> framesIn(const Bytes &output)
{
    vradio::FrameAssembler assembler;
    std::vector<Bytes> frames;
    for (const std::uint8_t b : output) {
        if (assembler.push(b))
            frames.push_back(assembler.frame());
    }
    return frames;
}

Bytes dataPayload(const Bytes &frame)
{
    const auto digit = [](std::uint8_t c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    Bytes payload;
    for (std::size_t i = 4; i + 1 < frame.size(); i += 2) {
        const int high = digit(frame[i]);
        const int low = digit(frame[i + 1]);
        if (high < 0 || low < 0)
            return {};
        payload.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return payload;
}

} // namespace vradio_testing
