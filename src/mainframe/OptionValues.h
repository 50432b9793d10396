#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the option dialogs accept, apart from the dialogs themselves. Each
// function answers the value to store, or nothing when the text is refused
// and the dialog stays open.
namespace option_values {

inline constexpr std::int32_t kFirstComPort = 1;
inline constexpr std::int32_t kLastComPort = 256;
inline constexpr std::int32_t kFirstTcpPort = 1024;
inline constexpr std::int32_t kLastTcpPort = 65535;
inline constexpr std::size_t kMaxClonePassword = 16;

// The COM port number typed into the edit or combo box: the digits at the
// start of the text without surrounding blanks ("12x" is 12, "x12" is 0),
// then 1 to 256.
std::optional<std::int32_t> comPortFromText(const std::string &text);

// A dotted address of four decimal groups 0 to 255, stored without leading
// zeros ("192.168.001.010" becomes "192.168.1.10").
std::optional<std::string> ipAddressFromText(const std::string &text);

// A whole decimal number 1024 to 65535.
std::optional<std::int32_t> tcpPortFromText(const std::string &text);

// 1 to 16 characters, taken as typed.
std::optional<std::string> clonePasswordFromText(const std::string &text);

} // namespace option_values
