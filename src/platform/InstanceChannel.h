#pragma once

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace platform {

// How a second start reaches the running program: the first instance
// listens on a local socket next to its single-instance lock, a second one
// hands it a line (the clone file of its command line, or nothing) and
// goes. Only the user can reach the socket; a line longer than a path can be
// is dropped with its connection.
class InstanceChannel
{
public:
    static constexpr int kLongestLine = 4096;

    // The handler gets every line the running program is handed.
    using Handler = std::function<void(const std::string &line)>;

    explicit InstanceChannel(const std::string &mutexName);
    ~InstanceChannel();
    InstanceChannel(const InstanceChannel &) = delete;
    InstanceChannel &operator=(const InstanceChannel &) = delete;

    // The first instance only: a socket left by a program that crashed is
    // replaced. False when the socket cannot be had.
    bool Listen(Handler handler);

    // Hands the line to the running program and waits until it took it, at
    // most waitMs (a program still starting may not listen yet); false when
    // nobody took it.
    static bool Send(const std::string &mutexName, const std::string &line, int waitMs);

    // The socket's path for a mutex name: the lock file's, ending in
    // ".socket".
    static std::string socketPath(const std::string &mutexName);

private:
    void Accept();

    std::string path_;
    std::unique_ptr<QLocalServer> server_;
    Handler handler_;
};

} // namespace platform
