#include "codecs/CodecHelpers.h"

#include <algorithm>
#include <cctype>

std::int32_t actingKey(const CodecRequest &request)
{
    return request.kind == CodecRequest::Kind::Key && request.interactive ? request.code : 0;
}

bool isPrintableAscii(std::int32_t key) { return key >= 32 && key <= 126; }

bool isHexDigitKey(std::int32_t key)
{
    return isPrintableAscii(key) && std::isxdigit(static_cast<unsigned char>(key)) != 0;
}

CodecAnswer editorSelectingAll(std::string text)
{
    const auto length = static_cast<std::int32_t>(text.size());
    return {.text = std::move(text), .open = CodecOpen::Editor(0, length)};
}

CodecAnswer editorStartingWith(std::int32_t key)
{
    return {.text = std::string(1, static_cast<char>(key)), .open = CodecOpen::Editor(1, 0)};
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string upperCased(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool startsWithOff(std::string_view text)
{
    const std::string upper = upperCased(trimmed(text));
    return upper.starts_with("OF");
}

std::int32_t numberAt(CellCodec::Bytes bytes, std::size_t at)
{
    if (at > bytes.size() || bytes.size() - at < 4)
        return 0;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4; ++i)
        number = (number << 8) | bytes[at + i];
    return static_cast<std::int32_t>(number);
}

void setNumberAt(CellBytes &bytes, std::size_t at, std::int32_t number)
{
    if (at > bytes.size() || bytes.size() - at < 4)
        return;
    const auto value = static_cast<std::uint32_t>(number);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void answerBytes(CodecAnswer &answer, CellCodec::Bytes stored, CellBytes bytes)
{
    if (!std::ranges::equal(stored, bytes))
        answer.bytes = std::move(bytes);
}
