#pragma once

#include <cstdint>
#include <string>

// The link settings a clone operation starts with, read afresh for every
// operation (the environment's comPort, comSpeedHigh, ipAddress, tcpPort,
// portSelect and clonePassword).
struct CloneSettings {
    // 0 the serial port, anything else the TCP bridge.
    std::int32_t portSelect = 0;
    std::int32_t comPort = 1;
    // Reads and writes at 38400 baud instead of 9600.
    bool comSpeedHigh = true;
    std::string ipAddress;
    std::int32_t tcpPort = 0;
    // 1 to 16 characters, sent when a password-protected radio asks for it.
    std::string clonePassword;

    bool overTcp() const { return portSelect != 0; }
};
