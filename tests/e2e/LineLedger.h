#pragma once

#include <cstdint>

namespace e2e {

// What crossed the line between the program and a radio inside the test
// process, counted where the bytes leave and where they are taken, so that a
// test can tell when nothing is on its way: the radio has taken every byte
// the program handed to its link, the program has read every byte the radio
// handed to the line, and the radio holds no answer back. Bytes may lie in
// Qt's buffers, the kernel or a pseudo-terminal's queue for any time a
// loaded machine takes; only the counts say when they have arrived.
class LineLedger
{
public:
    // The program's side, as its transports see it. Opening a serial port
    // flushes both directions, so whatever was under way is gone; a TCP
    // connect starts a fresh connection that the radio has to take first.
    void programOpenedPort();
    void programConnected();
    void programSent(std::uint64_t bytes) { programSent_ += bytes; }
    // Queued bytes a close or a drop threw away before they left.
    void programWithdrew(std::uint64_t bytes);
    void programRead(std::uint64_t bytes) { programRead_ += bytes; }

    // The radio's side. Without a radio there is nothing to wait for.
    void radioAttached() { radioAttached_ = true; }
    void radioTookConnection();
    void radioRead(std::uint64_t bytes) { radioRead_ += bytes; }
    void radioSent(std::uint64_t bytes) { radioSent_ += bytes; }
    // Once per round of the radio; holding: answers it could not hand to
    // the line yet.
    void radioStepped(bool holding);

    bool quiet() const;
    std::uint64_t radioSteps() const { return radioSteps_; }

private:
    bool radioAttached_ = false;
    std::uint64_t connectsMade_ = 0;
    std::uint64_t connectsTaken_ = 0;
    std::uint64_t programSent_ = 0;
    std::uint64_t programRead_ = 0;
    std::uint64_t radioRead_ = 0;
    std::uint64_t radioSent_ = 0;
    bool radioHolding_ = false;
    std::uint64_t radioSteps_ = 0;
};

} // namespace e2e
