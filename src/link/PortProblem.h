#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Why a serial port could not be opened, in words a user can act on. The
// serial port notes every failed open here together with what the system
// says about the device at that moment; the clone manager's message for "the
// link cannot be opened" then names the device and explains the cause: no
// permission (with the group to join), in use by another program, or a
// device that does not exist (with the serial devices that do).
class PortProblem
{
public:
    enum class Kind {
        // Nothing known that a user could act on: the usual check list.
        Unknown,
        Missing,
        NoPermission,
        Busy,
    };

    // How the open failed, as far as the serial library tells.
    enum class OpenError {
        NotFound,
        // The device exists but the open was refused: no permission, or
        // the port is locked by another program.
        Refused,
        Other,
    };

    struct Facts {
        Kind kind = Kind::Unknown;
        std::string device;
        // The group that owns the device (its number when it has no name),
        // whether that group may read and write it, and whether the user's
        // account is in that group while this session is not yet.
        std::string group;
        bool groupMayUse = false;
        bool joinedSinceLogin = false;
    };

    // What the system says about a device the open of which failed so.
    static Facts Examine(const std::string &device, OpenError error);

    // The serial port reports each open. A failure is examined at once, while
    // the cause is still there; a success forgets the device's failure.
    static void NoteFailure(const std::string &device, OpenError error);
    static void NoteSuccess(const std::string &device);
    // The failure noted last for this device, else what an examination now
    // finds.
    static Facts Find(const std::string &device);

    // The head line and the explanation of "the link cannot be opened" on a
    // serial port; the explanation stays empty when the cause is not known.
    // False (nothing changed) when the overlay has no port texts.
    static bool Describe(std::int32_t comPort, std::string &head, std::string &explanation);

    // The parts of Describe: the port as the head line names it, the lines
    // that explain the facts, and the serial devices present now, each as
    // "path (COMn)".
    static std::string PortName(std::int32_t comPort);
    static std::string Explanation(const Facts &facts,
                                   const std::vector<std::string> &presentDevices);
    static std::vector<std::string> PresentSerialDevices();

    // Overlay key of the texts.
    static constexpr const char *kTextKey = "GI_Mess_PortErr";
};
