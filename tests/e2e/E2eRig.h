#pragma once

#include "LineLedger.h"
#include "QuietLineClock.h"
#include "TamperingRadio.h"
#include "VirtualRadio.h"

#include "link/indCloneMan.h"
#include "model/indMain.h"
#include "platform/MessageService.h"
#include "settings/indEnviron.h"
#include "support/TestPaths.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace e2e {

using vradio::Bytes;

constexpr std::size_t kRadioBytes = vradio::VirtualRadio::kMemorySize;

// The links the tests run over.
enum class Wire { Pty, Tcp };
const char *wireName(Wire wire);

// The radio part (0x0000 to 0xFF7F) of an image.
Bytes radioPart(const cmcEeprom &image);

// The model object without a window on fresh settings in a private store,
// its messages recorded, as the command-line tool runs it. Its clone driver
// talks through the real transports, and its time-outs read a clock that
// stands still while anything is on its way to or from the radio: how fast
// a loaded machine carries the bytes never decides how an operation ends.
class ModelRig : public ::testing::Test
{
protected:
    // The COM number the tests map to a pseudo-terminal.
    static constexpr std::int32_t kComPort = 200;

    ModelRig();
    ~ModelRig() override;

    // The link settings: the COM number mapped to the device, or TCP to
    // 127.0.0.1 at the port.
    void useDevice(const std::string &device);
    void useTcp(quint16 port, const std::string &address = "127.0.0.1");

    // Starts the virtual radio inside the test process on a pseudo-terminal
    // or a TCP port and points the link at it; false when the wire could not
    // be had.
    bool startRadio(Wire wire, Bytes memory, vradio::RadioSetup setup = {});
    TamperingRadio &radio() { return *radio_; }

    // Runs the event loop until the clone manager rests; false when it
    // never does (a hang, not a timing check).
    bool runUntilRest();
    std::int32_t lastKind() { return model->CloneManager().LastKind(); }
    std::int32_t lastCode() { return model->CloneManager().LastCode(); }

    // The radio layout of the current document with channel 0 in use; with
    // intoDocument the document gets the channel too. change edits the
    // working layout before it is converted.
    Bytes documentLayout(bool intoDocument = false,
                         const std::function<void(cmcEeprom &)> &change = {});
    // A whole radio memory saved as a clone file for the radio program.
    std::string saveMemory(const Bytes &memory, const std::string &name);
    std::string tempPath(const std::string &name) const;

    LineLedger ledger_;
    QuietLineClock clock_{ledger_};
    testing_support::ScopedSettingsSandbox sandbox_;
    indEnviron settings_{indEnviron::Detached::Defaults};
    platform::RecordingMessageService recorder;
    platform::ScopedMessageService messages_{recorder};
    std::unique_ptr<indMain> model;
    std::unique_ptr<TamperingRadio> radio_;
    QTemporaryDir folder_;
};

} // namespace e2e
