#pragma once

#include "support/EventLoopPump.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;
class cmcTcpClient;
class cmcTransport;

namespace link_testing {

using Bytes = std::vector<std::uint8_t>;

using testing_support::pumpUntil;

// Every byte value, then the values again reversed, and so on up to count.
Bytes patternBytes(std::size_t count);

// Reads from the transport in pieces of at most maximum bytes, pumping the
// event loop, until count bytes came or the limit passed. Fails the test when
// a read returns more than asked.
Bytes readFromTransport(cmcTransport &transport, std::size_t count, std::int32_t maximum);

// Opens the client on the server's port and waits until both ends see the
// connection; the server's end is returned, nullptr when that failed.
QTcpSocket *connectToServer(cmcTcpClient &client, QTcpServer &server);
// Pumps the event loop until count bytes came in through the socket.
Bytes readFromSocket(QTcpSocket &socket, std::size_t count);

// A pseudo-terminal pair: the slave end stands for the serial device the
// program opens, the test plays the radio on the master end. The slave stays
// open here too, so the master keeps working while the program has the port
// closed.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool valid() const { return master_ >= 0; }
    const std::string &slavePath() const { return slavePath_; }
    int slave() const { return slave_; }

    void write(const Bytes &bytes);
    // Pumps the event loop until count bytes came out of the master end.
    Bytes read(std::size_t count);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace link_testing
