#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class indEnviron;

// The command line of the clone commands: how to reach the radio, and what
// the command takes besides.
struct CloneOptions {
    enum class Link { None, Port, Device, Tcp };
    // Options a command accepts beyond the link and --password and --yes.
    enum Extra : unsigned {
        kLowSpeed = 1,
        kOutput = 2,
        kMaker = 4,
        kFile = 8,
        // --no-backup: no copy in the backups folder.
        kBackup = 16,
        // --force: write a file although the warning check finds errors.
        kForce = 32,
    };

    Link link = Link::None;
    std::int32_t comPort = 0;
    std::string device;
    std::string host;
    std::int32_t tcpPort = 0;
    std::optional<std::string> password;
    bool lowSpeed = false;
    bool yes = false;
    bool maker = false;
    bool noBackup = false;
    bool force = false;
    std::string output;
    std::string file;
};

// Parses the arguments after the command name; false with the reason in
// error when they do not fit the command.
bool parseCloneOptions(const std::vector<std::string> &arguments, unsigned extras,
                       CloneOptions &options, std::string &error);

// The COM number a device is opened as: its own number when the port map
// reaches it without an override, else the last number.
std::int32_t comNumberForDevice(const std::string &device);

// Puts the link options into the settings the clone manager reads; a host
// name is looked up here, as the link itself takes dotted addresses only.
// False with the reason in error when the host has no IPv4 address.
bool applyLinkOptions(const CloneOptions &options, indEnviron &settings, std::string &error);
