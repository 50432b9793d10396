#include "channels/RadioText.h"

#include "platform/HexDigits.h"

#include <cstdint>

namespace radio_text {

namespace {

constexpr unsigned char kFirstStoredByte = 16;

bool printable(unsigned char byte) { return byte >= 32 && byte <= 126; }

// The byte "%XY" at `at` stands for, or -1 when it is no such escape or names
// a byte that ends texts.
int escapedByte(std::string_view text, std::size_t at)
{
    if (at + 2 >= text.size())
        return -1;
    const int high = platform::hexDigitValue(text[at + 1]);
    const int low = platform::hexDigitValue(text[at + 2]);
    if (high < 0 || low < 0)
        return -1;
    const int byte = high * 16 + low;
    return byte >= kFirstStoredByte ? byte : -1;
}

} // namespace

std::string escape(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < kMaxLength; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < kFirstStoredByte)
            break;
        if (byte == '%') {
            text += "%%";
        } else if (printable(byte)) {
            text += static_cast<char>(byte);
        } else {
            text += '%';
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0x0F];
        }
    }
    return text;
}

std::string unescape(std::string_view text)
{
    if (text.size() > kMaxLength)
        text = text.substr(0, kMaxLength);
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            bytes += '%';
            ++i;
        } else if (const int byte = c == '%' ? escapedByte(text, i) : -1; byte >= 0) {
            bytes += static_cast<char>(byte);
            i += 2;
        } else {
            bytes += printable(c) || c >= 127 ? static_cast<char>(c) : ' ';
        }
    }
    return bytes;
}

} // namespace radio_text
