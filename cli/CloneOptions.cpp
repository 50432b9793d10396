#include "CloneOptions.h"

#include "link/PortMap.h"
#include "link/cmcTcpClient.h"
#include "settings/indEnviron.h"

#include <QHostAddress>
#include <QHostInfo>

#include <cstdlib>

namespace {

constexpr std::size_t kLongestPassword = 16;

bool parseNumber(const std::string &text, std::int32_t low, std::int32_t high, std::int32_t &out)
{
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < low || value > high)
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

bool parseHostAndPort(const std::string &text, CloneOptions &options)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    options.host = text.substr(0, colon);
    return parseNumber(text.substr(colon + 1), 1, 65535, options.tcpPort);
}

bool setLink(CloneOptions &options, CloneOptions::Link link, std::string &error)
{
    if (options.link != CloneOptions::Link::None) {
        error = "give only one of --port, --device and --tcp";
        return false;
    }
    options.link = link;
    return true;
}

// One option with its value, or a flag; false with the reason in error.
bool takeOption(const std::string &name, const std::string *value, unsigned extras,
                CloneOptions &options, std::string &error, bool &usedValue)
{
    using Link = CloneOptions::Link;
    usedValue = true;
    const bool valued = name == "--port" || name == "--device" || name == "--tcp" ||
                        name == "--password" || (name == "-o" && (extras & CloneOptions::kOutput));
    if (valued && value == nullptr) {
        error = name + " needs a value";
        return false;
    }
    if (name == "--port") {
        if (!setLink(options, Link::Port, error))
            return false;
        if (!parseNumber(*value, PortMap::kFirstPort, PortMap::kLastPort, options.comPort)) {
            error = "--port takes a COM number from 1 to 256";
            return false;
        }
    } else if (name == "--device") {
        if (!setLink(options, Link::Device, error))
            return false;
        options.device = *value;
    } else if (name == "--tcp") {
        if (!setLink(options, Link::Tcp, error))
            return false;
        if (!parseHostAndPort(*value, options)) {
            error = "--tcp takes HOST:PORT with a port from 1 to 65535";
            return false;
        }
    } else if (name == "--password") {
        if (value->empty() || value->size() > kLongestPassword) {
            error = "--password takes 1 to 16 characters";
            return false;
        }
        options.password = *value;
    } else if (name == "-o" && (extras & CloneOptions::kOutput)) {
        options.output = *value;
    } else {
        usedValue = false;
        if (name == "--yes")
            options.yes = true;
        else if (name == "--low-speed" && (extras & CloneOptions::kLowSpeed))
            options.lowSpeed = true;
        else if (name == "--maker" && (extras & CloneOptions::kMaker))
            options.maker = true;
        else if (name == "--no-backup" && (extras & CloneOptions::kBackup))
            options.noBackup = true;
        else if (name == "--force" && (extras & CloneOptions::kForce))
            options.force = true;
        else {
            error = "unknown option " + name;
            return false;
        }
    }
    return true;
}

} // namespace

bool parseCloneOptions(const std::vector<std::string> &arguments, unsigned extras,
                       CloneOptions &options, std::string &error)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument.size() > 1 && argument[0] == '-') {
            const std::string *value = i + 1 < arguments.size() ? &arguments[i + 1] : nullptr;
            bool usedValue = false;
            if (!takeOption(argument, value, extras, options, error, usedValue))
                return false;
            i += usedValue ? 1 : 0;
        } else if ((extras & CloneOptions::kFile) && options.file.empty()) {
            options.file = argument;
        } else {
            error = "unexpected argument " + argument;
            return false;
        }
    }
    if (options.link == CloneOptions::Link::None)
        error = "give the link: --port N, --device PATH or --tcp HOST:PORT";
    else if ((extras & CloneOptions::kOutput) && options.output.empty())
        error = "give the clone file to write with -o FILE.vrc";
    else if ((extras & CloneOptions::kFile) && options.file.empty())
        error = "give the clone file to write to the radio";
    return error.empty();
}

std::int32_t comNumberForDevice(const std::string &device)
{
    const std::int32_t port = PortMap::builtInNumber(device);
    return port != 0 ? port : PortMap::kLastPort;
}

bool applyLinkOptions(const CloneOptions &options, indEnviron &settings, std::string &error)
{
    using Link = CloneOptions::Link;
    if (options.password)
        settings.clonePassword = *options.password;
    settings.comSpeedHigh = options.lowSpeed ? 0 : 1;
    if (options.noBackup)
        settings.backupsKept = 0;
    if (options.link == Link::Port || options.link == Link::Device) {
        settings.portSelect = 0;
        settings.comPort =
            options.link == Link::Port ? options.comPort : comNumberForDevice(options.device);
        return true;
    }
    settings.portSelect = 1;
    settings.tcpPort = options.tcpPort;
    if (cmcTcpClient::ParseAddress(options.host)) {
        settings.ipAddress = options.host;
        return true;
    }
    const QHostInfo found = QHostInfo::fromName(QString::fromStdString(options.host));
    for (const QHostAddress &address : found.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            settings.ipAddress = address.toString().toStdString();
            return true;
        }
    }
    error = "no IPv4 address for " + options.host;
    return false;
}
