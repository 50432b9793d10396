#pragma once

#include "FrameAssembler.h"
#include "MeterModel.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>

namespace vradio {

// Faults the radio can be told to make, to see how the program copes.
struct FaultPlan {
    // Goes silent after this many answers (frames and acknowledgement
    // bytes); below 0 never.
    int stopAfterAnswers = -1;
    // Spoils the checksum of this data frame of every memory read (1 = the
    // first); 0 none.
    int corruptDataFrame = 0;
    // Answers FA instead of FB at this block acknowledgement of every memory
    // write (1 = the first); 0 none.
    int refuseBlock = 0;
    // Garbage bytes sent before every frame. They never take the values of
    // FE, FD, FB or FA, so a sound receiver skips them.
    int noiseBytes = 0;
};

struct RadioSetup {
    std::uint16_t modelId1 = 0x3079;
    std::uint16_t modelId2 = 0;
    // Empty: reads and writes need no clone password.
    std::string password;
    // Reported in the clone information; the first 12 characters count.
    std::string serialNumber = "0A1B2C3D4E5F";
    FaultPlan faults;
};

// The radio's side of the clone protocol, without any I/O: bytes from the
// computer go in through receive(), the radio's answers come out of
// takeOutput(). It answers ID requests with its model id and clone
// information, sends its memory on a read request, takes a memory write
// block by block, checks the clone password frame when it has a password,
// and answers factory adjustment commands from its meters.
class VirtualRadio
{
public:
    // Radio memory 0x0000 to 0xFF7F.
    static constexpr std::size_t kMemorySize = 0xFF80;
    static constexpr std::size_t kInformationSize = 127;
    static constexpr int kBlockSize = 128;
    static constexpr int kDataFrameSize = 16;

    VirtualRadio(RadioSetup setup, Bytes memory);

    void receive(const std::uint8_t *bytes, std::size_t count);
    void receive(const Bytes &bytes) { receive(bytes.data(), bytes.size()); }
    // Up to maximum of the bytes waiting to go out.
    Bytes takeOutput(std::size_t maximum = SIZE_MAX);
    std::size_t outputSize() const { return output_.size(); }

    // A new connection: a half-received frame and unsent answers belong to
    // the old one. A write that was not finished is forgotten.
    void resetSession();

    const Bytes &memory() const { return memory_; }
    bool unlocked() const { return unlocked_; }
    bool writing() const { return writing_; }
    int answers() const { return answers_; }

    // The 127 bytes of clone information sent with the ID reply.
    Bytes information() const;

    // Called with the memory after a write was accepted.
    std::function<void(const Bytes &)> onWritten;
    // Receives one line per event when set.
    std::function<void(const std::string &)> log;

private:
    void handleFrame(const Bytes &frame);
    void handleIdRequest(const Bytes &frame);
    void handleReadRequest(const Bytes &frame);
    void handleWriteRequest(const Bytes &frame);
    void handleDataFrame(const Bytes &frame);
    void handleEndFrame(const Bytes &frame);
    void handleCommandFrame(const Bytes &frame);
    void handlePassword(const Bytes &frame);
    void handleAdjustment(std::uint8_t command, std::uint8_t value);

    bool idMatches(const Bytes &frame) const;
    bool mayClone(const char *what);
    Bytes header(std::uint8_t command) const;
    // The header followed by both model ids.
    Bytes headerWithIds(std::uint8_t command) const;
    void answerFrame(Bytes frame);
    void answerByte(std::uint8_t byte);
    bool answerAllowed();
    void note(const std::string &text) const;

    RadioSetup setup_;
    Bytes memory_;
    FrameAssembler assembler_;
    std::deque<std::uint8_t> output_;
    std::minstd_rand noise_{1};
    MeterModel meters_;
    int answers_ = 0;
    bool silent_ = false;
    bool unlocked_ = false;
    bool writing_ = false;
    bool writeFault_ = false;
    Bytes staging_;
    int framesReceived_ = 0;
    int blocksAcknowledged_ = 0;
    std::uint8_t selectedItem_ = 0;
};

} // namespace vradio
