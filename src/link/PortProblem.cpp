#include "link/PortProblem.h"

#include "link/PortDiscovery.h"
#include "link/PortMap.h"
#include "platform/FatalError.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

// Lines of the port texts in the overlay.
enum TextLine {
    kHeadLine = 0,
    kMissingLine = 1,
    kDevicesLine = 2,
    kNoDevicesLine = 3,
    kNoPermissionLine = 4,
    kJoinGroupLine = 5,
    kLogInAgainLine = 6,
    kGroupMayNotLine = 7,
    kBusyLine = 8,
};

constexpr const char *kPseudoTerminals = "/dev/pts/";

// The failure noted last; one serial operation runs at a time.
PortProblem::Facts g_lastFailure;
bool g_hasFailure = false;

std::string groupName(gid_t gid)
{
    std::vector<char> buffer(16384);
    group entry{};
    group *found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return found->gr_name;
    return std::to_string(gid);
}

// The user's account lists the group, but this process does not carry it:
// the user joined after logging in.
bool joinedSinceLogin(gid_t gid)
{
    if (::getegid() == gid)
        return false;
    const int sessionCount = ::getgroups(0, nullptr);
    std::vector<gid_t> session(static_cast<std::size_t>(std::max(sessionCount, 0)));
    if (sessionCount > 0 && ::getgroups(sessionCount, session.data()) < 0)
        return false;
    if (std::find(session.begin(), session.end(), gid) != session.end())
        return false;

    std::vector<char> buffer(16384);
    passwd account{};
    passwd *found = nullptr;
    if (::getpwuid_r(::getuid(), &account, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr)
        return false;
    int count = 64;
    std::vector<gid_t> listed(static_cast<std::size_t>(count));
    if (::getgrouplist(found->pw_name, found->pw_gid, listed.data(), &count) < 0) {
        listed.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(found->pw_name, found->pw_gid, listed.data(), &count) < 0)
            return false;
    }
    listed.resize(static_cast<std::size_t>(count));
    return std::find(listed.begin(), listed.end(), gid) != listed.end();
}

std::string line(int index) { return mainTextDatabase().GetLine(PortProblem::kTextKey, index); }

std::string joined(const std::vector<std::string> &items)
{
    std::string text;
    for (const std::string &item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

} // namespace

PortProblem::Facts PortProblem::Examine(const std::string &device, OpenError error)
{
    Facts facts;
    facts.device = device;
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            facts.kind = Kind::Missing;
        return facts;
    }
    facts.group = groupName(info.st_gid);
    facts.groupMayUse = (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        facts.kind = Kind::NoPermission;
        facts.joinedSinceLogin = joinedSinceLogin(info.st_gid);
    } else if (error == OpenError::NotFound) {
        // A node without its hardware behind it (a board port that is not
        // fitted) is as good as missing.
        facts.kind = Kind::Missing;
    } else if (error == OpenError::Refused) {
        // Allowed to use it and still refused: another program holds it.
        facts.kind = Kind::Busy;
    }
    return facts;
}

void PortProblem::NoteFailure(const std::string &device, OpenError error)
{
    g_lastFailure = Examine(device, error);
    g_hasFailure = true;
}

void PortProblem::NoteSuccess(const std::string &device)
{
    if (g_hasFailure && g_lastFailure.device == device)
        g_hasFailure = false;
}

PortProblem::Facts PortProblem::Find(const std::string &device)
{
    if (g_hasFailure && g_lastFailure.device == device)
        return g_lastFailure;
    return Examine(device, OpenError::Other);
}

std::string PortProblem::PortName(std::int32_t comPort)
{
    const std::string device = PortMap::devicePath(comPort);
    if (device.empty())
        return "COM" + std::to_string(comPort);
    // The number only where it is the device's own; a device given by path
    // (a by-id link, the command line's --device) is named by its path alone.
    if (PortMap::builtInPath(comPort) == device)
        return device + ", COM" + std::to_string(comPort);
    return device;
}

std::string PortProblem::Explanation(const Facts &facts,
                                     const std::vector<std::string> &presentDevices)
{
    switch (facts.kind) {
    case Kind::Missing:
        return line(kMissingLine) + "\n" +
               (presentDevices.empty()
                    ? line(kNoDevicesLine)
                    : platform::formatText(line(kDevicesLine).c_str(), joined(presentDevices)));
    case Kind::NoPermission: {
        std::string text = platform::formatText(line(kNoPermissionLine).c_str(), facts.group);
        if (!facts.groupMayUse)
            return text + "\n" + line(kGroupMayNotLine);
        const int advice = facts.joinedSinceLogin ? kLogInAgainLine : kJoinGroupLine;
        return text + "\n" + platform::formatText(line(advice).c_str(), facts.group);
    }
    case Kind::Busy:
        return line(kBusyLine);
    case Kind::Unknown:
        break;
    }
    return {};
}

std::vector<std::string> PortProblem::PresentSerialDevices()
{
    // Pseudo-terminals are mostly the user's own terminal windows; only the
    // serial devices help find a cable that moved. Numbered devices come
    // first, in the order of their numbers.
    struct Present {
        std::int32_t number;
        std::string path;
    };
    std::vector<Present> found;
    for (const PortDiscovery::Device &device : PortDiscovery::presentDevices()) {
        if (device.path.rfind(kPseudoTerminals, 0) != 0)
            found.push_back({PortMap::builtInNumber(device.path), device.path});
    }
    std::sort(found.begin(), found.end(), [](const Present &a, const Present &b) {
        if ((a.number == 0) != (b.number == 0))
            return b.number == 0;
        return a.number != b.number ? a.number < b.number : a.path < b.path;
    });
    std::vector<std::string> present;
    for (const Present &device : found)
        present.push_back(device.number != 0
                              ? device.path + " (COM" + std::to_string(device.number) + ")"
                              : device.path);
    return present;
}

bool PortProblem::Describe(std::int32_t comPort, std::string &head, std::string &explanation)
{
    if (!mainTextDatabase().HasKey(kTextKey))
        return false;
    head = platform::formatText(line(kHeadLine).c_str(), PortName(comPort));
    const std::string device = PortMap::devicePath(comPort);
    explanation.clear();
    if (device.empty())
        return true;
    const Facts facts = Find(device);
    explanation = Explanation(facts, facts.kind == Kind::Missing ? PresentSerialDevices()
                                                                 : std::vector<std::string>{});
    return true;
}
