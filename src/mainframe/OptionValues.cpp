#include "mainframe/OptionValues.h"

#include <vector>

namespace option_values {

namespace {

constexpr std::int32_t kNotANumber = -999;
constexpr int kIpGroups = 4;
constexpr std::size_t kMaxGroupLength = 3;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string trimBlanks(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A whole number with an optional sign, as the dialogs read one; anything
// else (empty, blanks, letters, more digits than fit) is kNotANumber.
std::int32_t wholeNumber(const std::string &text)
{
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    if (at == text.size())
        return kNotANumber;
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        if (!isDigit(text[at]) || value > 99999999)
            return kNotANumber;
        value = value * 10 + (text[at] - '0');
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace

std::optional<std::int32_t> comPortFromText(const std::string &text)
{
    const std::string trimmed = trimBlanks(text);
    std::int64_t value = 0;
    for (std::size_t at = 0; at < trimmed.size() && isDigit(trimmed[at]) && value <= kLastComPort;
         ++at)
        value = value * 10 + (trimmed[at] - '0');
    if (value < kFirstComPort || value > kLastComPort)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::string> ipAddressFromText(const std::string &text)
{
    std::vector<std::string> groups(1);
    for (const char c : text) {
        if (c == '.') {
            if (static_cast<int>(groups.size()) == kIpGroups)
                return std::nullopt;
            groups.emplace_back();
            continue;
        }
        groups.back() += c;
        if (groups.back().size() > kMaxGroupLength)
            return std::nullopt;
    }
    if (static_cast<int>(groups.size()) != kIpGroups || groups.back().empty())
        return std::nullopt;
    std::string address;
    for (const std::string &group : groups) {
        const std::int32_t value = wholeNumber(group);
        if (value < 0 || value > 255)
            return std::nullopt;
        address += (address.empty() ? "" : ".") + std::to_string(value);
    }
    return address;
}

std::optional<std::int32_t> tcpPortFromText(const std::string &text)
{
    const std::int32_t value = wholeNumber(text);
    if (value < kFirstTcpPort || value > kLastTcpPort)
        return std::nullopt;
    return value;
}

std::optional<std::string> clonePasswordFromText(const std::string &text)
{
    if (text.empty() || text.size() > kMaxClonePassword)
        return std::nullopt;
    return text;
}

} // namespace option_values
