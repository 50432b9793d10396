#include "VirtualRadio.h"

#include "platform/HexDigits.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace vradio {

namespace {

constexpr std::uint8_t kAcknowledge = 0xFB;
constexpr std::uint8_t kRefuse = 0xFA;
constexpr char kMakerText[] = "Vorn Inc.";
constexpr std::size_t kMakerLength = sizeof kMakerText - 1;

// Clone information bytes the program looks at.
constexpr std::size_t kMapRevisionByte = 35;
constexpr std::size_t kPasswordByte = 53;
constexpr std::uint8_t kPasswordRequired = 0x08;
constexpr std::size_t kEndAddressText = 56;
constexpr std::size_t kSerialNumberText = 60;

// Command bytes of E8 frames that are not adjustments.
constexpr std::uint8_t kSpeedSelect = 0x01;
constexpr std::uint8_t kClonePassword = 0x99;

void appendHex(Bytes &out, std::uint8_t byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.push_back(static_cast<std::uint8_t>(kDigits[byte >> 4]));
    out.push_back(static_cast<std::uint8_t>(kDigits[byte & 0x0F]));
}

// Pairs of upper-case hex digits from first to the end of the text; nothing
// when a character is no such digit or one is left over.
std::optional<Bytes> decodeHex(const Bytes &text, std::size_t first)
{
    if (first > text.size() || (text.size() - first) % 2 != 0)
        return std::nullopt;
    Bytes bytes;
    for (std::size_t i = first; i < text.size(); i += 2) {
        const int high = platform::upperHexDigitValue(static_cast<char>(text[i]));
        const int low = platform::upperHexDigitValue(static_cast<char>(text[i + 1]));
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::uint8_t negatedSum(const Bytes &bytes)
{
    unsigned sum = 0;
    for (const std::uint8_t b : bytes)
        sum += b;
    return static_cast<std::uint8_t>(-sum);
}

std::string hexOf(std::uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

} // namespace

VirtualRadio::VirtualRadio(RadioSetup setup, Bytes memory)
    : setup_(std::move(setup)), memory_(std::move(memory))
{
    memory_.resize(kMemorySize, 0);
}

Bytes VirtualRadio::information() const
{
    Bytes info(kInformationSize, 0);
    info[0] = static_cast<std::uint8_t>(kInformationSize);
    info[kMapRevisionByte] = 1;
    if (!setup_.password.empty())
        info[kPasswordByte] |= kPasswordRequired;
    const std::string end = hexOf(static_cast<std::uint32_t>(kMemorySize - 1), 4);
    std::copy(end.begin(), end.end(), info.begin() + kEndAddressText);
    std::copy(setup_.serialNumber.begin(),
              setup_.serialNumber.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(
                                                setup_.serialNumber.size(), 12)),
              info.begin() + kSerialNumberText);
    return info;
}

void VirtualRadio::receive(const std::uint8_t *bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (assembler_.push(bytes[i]) && !silent_)
            handleFrame(assembler_.frame());
    }
}

Bytes VirtualRadio::takeOutput(std::size_t maximum)
{
    const std::size_t n = std::min(maximum, output_.size());
    Bytes bytes(output_.begin(), output_.begin() + static_cast<std::ptrdiff_t>(n));
    output_.erase(output_.begin(), output_.begin() + static_cast<std::ptrdiff_t>(n));
    return bytes;
}

void VirtualRadio::resetSession()
{
    assembler_.reset();
    output_.clear();
    writing_ = false;
}

void VirtualRadio::note(const std::string &text) const
{
    if (log)
        log(text);
}

void VirtualRadio::handleFrame(const Bytes &frame)
{
    // Frames from the computer: FE EE EF, the command, its bytes.
    if (frame.size() < 4 || frame[1] != 0xEE || frame[2] != 0xEF) {
        note("ignored a frame not addressed to the radio");
        return;
    }
    struct Handler {
        std::uint8_t command;
        void (VirtualRadio::*handle)(const Bytes &);
    };
    static constexpr Handler kHandlers[] = {
        {0xE0, &VirtualRadio::handleIdRequest},    {0xE2, &VirtualRadio::handleReadRequest},
        {0xE3, &VirtualRadio::handleWriteRequest}, {0xE4, &VirtualRadio::handleDataFrame},
        {0xE5, &VirtualRadio::handleEndFrame},     {0xE8, &VirtualRadio::handleCommandFrame},
    };
    for (const Handler &handler : kHandlers) {
        if (handler.command == frame[3])
            return (this->*handler.handle)(frame);
    }
    note("ignored command " + hexOf(frame[3], 2));
}

bool VirtualRadio::idMatches(const Bytes &frame) const
{
    if (frame.size() < 8)
        return false;
    const unsigned id1 = frame[4] << 8 | frame[5];
    return id1 == setup_.modelId1 || id1 == 0;
}

Bytes VirtualRadio::header(std::uint8_t command) const { return {0xFE, 0xFE, 0xEF, 0xEE, command}; }

Bytes VirtualRadio::headerWithIds(std::uint8_t command) const
{
    Bytes frame = header(command);
    for (const std::uint16_t id : {setup_.modelId1, setup_.modelId2}) {
        frame.push_back(static_cast<std::uint8_t>(id >> 8));
        frame.push_back(static_cast<std::uint8_t>(id & 0xFF));
    }
    return frame;
}

void VirtualRadio::handleIdRequest(const Bytes &frame)
{
    if (!idMatches(frame)) {
        note("ID request for another model");
        return;
    }
    note("ID request");
    Bytes reply = headerWithIds(0xE1);
    const Bytes info = information();
    reply.insert(reply.end(), info.begin(), info.end());
    reply.push_back(0xFD);
    answerFrame(std::move(reply));
}

bool VirtualRadio::mayClone(const char *what)
{
    if (setup_.password.empty() || unlocked_)
        return true;
    note(std::string(what) + " refused: no clone password given");
    return false;
}

void VirtualRadio::handleReadRequest(const Bytes &frame)
{
    if (!idMatches(frame) || !mayClone("read"))
        return;
    note("read request");
    int frames = 0;
    for (std::size_t address = 0; address < kMemorySize; address += kDataFrameSize) {
        Bytes payload{static_cast<std::uint8_t>(address >> 8),
                      static_cast<std::uint8_t>(address & 0xFF), kDataFrameSize};
        payload.insert(payload.end(), memory_.begin() + static_cast<std::ptrdiff_t>(address),
                       memory_.begin() + static_cast<std::ptrdiff_t>(address + kDataFrameSize));
        std::uint8_t checksum = negatedSum(payload);
        if (++frames == setup_.faults.corruptDataFrame)
            ++checksum;
        payload.push_back(checksum);
        Bytes data = header(0xE4);
        for (const std::uint8_t b : payload)
            appendHex(data, b);
        data.push_back(0xFD);
        answerFrame(std::move(data));
    }
    Bytes end = header(0xE5);
    end.insert(end.end(), kMakerText, kMakerText + kMakerLength);
    appendHex(end, static_cast<std::uint8_t>(frames % 256));
    end.push_back(0xFD);
    answerFrame(std::move(end));
    unlocked_ = false;
}

void VirtualRadio::handleWriteRequest(const Bytes &frame)
{
    if (!idMatches(frame) || !mayClone("write"))
        return;
    note("write request");
    // A repeated request (the first acknowledgement got lost) starts over.
    writing_ = true;
    writeFault_ = false;
    staging_ = memory_;
    framesReceived_ = 0;
    blocksAcknowledged_ = 0;
    answerByte(kAcknowledge);
}

void VirtualRadio::handleDataFrame(const Bytes &frame)
{
    if (!writing_)
        return;
    ++framesReceived_;
    // Address (2), count, data, checksum; the whole sums to 0.
    const auto payload = decodeHex(frame, 4);
    const bool valid = payload && payload->size() >= 4 &&
                       payload->size() == std::size_t{(*payload)[2]} + 4u &&
                       negatedSum(*payload) == 0;
    const std::size_t address = valid ? ((*payload)[0] << 8 | (*payload)[1]) : 0;
    const std::size_t count = valid ? (*payload)[2] : 0;
    if (!valid || address + count > kMemorySize) {
        note("bad data frame " + std::to_string(framesReceived_));
        writeFault_ = true;
    } else {
        std::copy_n(payload->begin() + 3, count,
                    staging_.begin() + static_cast<std::ptrdiff_t>(address));
    }
    if (valid && (address + count) % kBlockSize == 0) {
        const bool refuse = writeFault_ || ++blocksAcknowledged_ == setup_.faults.refuseBlock;
        answerByte(refuse ? kRefuse : kAcknowledge);
        if (refuse) {
            note("block refused at " + hexOf(static_cast<std::uint32_t>(address + count), 4));
            writing_ = false;
        }
    }
}

void VirtualRadio::handleEndFrame(const Bytes &frame)
{
    if (!writing_)
        return;
    writing_ = false;
    unlocked_ = false;
    Bytes expected(kMakerText, kMakerText + kMakerLength);
    appendHex(expected, static_cast<std::uint8_t>(framesReceived_ % 256));
    const bool complete = !writeFault_ && Bytes(frame.begin() + 4, frame.end()) == expected;
    Bytes reply = header(0xE6);
    reply.push_back(complete ? 0x00 : 0x01);
    reply.push_back(0xFD);
    if (complete) {
        memory_ = staging_;
        note("write accepted: " + std::to_string(framesReceived_) + " data frames");
        if (onWritten)
            onWritten(memory_);
    } else {
        note("write rejected");
    }
    answerFrame(std::move(reply));
}

void VirtualRadio::handleCommandFrame(const Bytes &frame)
{
    // E8, model ids (4 bytes), command, then its bytes.
    if (frame.size() < 9 || !idMatches(frame))
        return;
    const std::uint8_t command = frame[8];
    if (command == kSpeedSelect) {
        // A pseudo-terminal or a socket has no line speed to change.
        note("speed select ignored");
        return;
    }
    if (command == kClonePassword)
        return handlePassword(frame);
    const auto value = decodeHex(frame, 9);
    if (!value || value->size() != 1) {
        note("bad adjustment command " + hexOf(command, 2));
        return;
    }
    handleAdjustment(command, (*value)[0]);
}

void VirtualRadio::handlePassword(const Bytes &frame)
{
    // Length, check, the password; check plus the password bytes sum to 0.
    if (setup_.password.empty() || frame.size() < 11)
        return;
    const Bytes given(frame.begin() + 11, frame.end());
    Bytes checked(frame.begin() + 10, frame.end());
    const bool valid =
        frame[9] == given.size() % 256 && negatedSum(checked) == 0 &&
        std::equal(given.begin(), given.end(), setup_.password.begin(), setup_.password.end());
    unlocked_ = valid;
    note(valid ? "clone password accepted" : "clone password wrong");
}

void VirtualRadio::handleAdjustment(std::uint8_t command, std::uint8_t value)
{
    note("adjustment command " + hexOf(command, 2) + " value " + hexOf(value, 2));
    switch (command) {
    case 0x03: {
        Bytes reply = headerWithIds(0xE8);
        reply.push_back(command);
        appendHex(reply, meters_.reading(memory_, value));
        reply.push_back(0xFD);
        answerFrame(std::move(reply));
        return;
    }
    case 0x13:
    case 0x14: {
        const std::uint8_t item = command == 0x13 ? 4 : 5;
        memory_[item] = value;
        meters_.filterItemSet(item);
        return;
    }
    case 0x40:
        selectedItem_ = value;
        return;
    case 0x41:
        memory_[selectedItem_] = value;
        if (selectedItem_ >= 8 && selectedItem_ <= 11)
            meters_.filterItemSet(selectedItem_);
        return;
    default:
        // Channel select, sequence reset and commit change nothing here.
        return;
    }
}

bool VirtualRadio::answerAllowed()
{
    if (silent_)
        return false;
    if (setup_.faults.stopAfterAnswers >= 0 && answers_ >= setup_.faults.stopAfterAnswers) {
        note("going silent");
        silent_ = true;
        return false;
    }
    ++answers_;
    return true;
}

void VirtualRadio::answerFrame(Bytes frame)
{
    if (!answerAllowed())
        return;
    std::uniform_int_distribution<int> garbage(0x00, 0xF9);
    for (int i = 0; i < setup_.faults.noiseBytes; ++i)
        output_.push_back(static_cast<std::uint8_t>(garbage(noise_)));
    output_.insert(output_.end(), frame.begin(), frame.end());
}

void VirtualRadio::answerByte(std::uint8_t byte)
{
    if (answerAllowed())
        output_.push_back(byte);
}

} // namespace vradio
