#include "E2eRig.h"

#include "CountedTransport.h"
#include "MemoryFile.h"

#include "image/ImageWords.h"
#include "image/WorkingLayout.h"
#include "link/PortMap.h"
#include "link/cmcCloneDrv.h"
#include "link/imcCloneDrv.h"
#include "link/indCloneMan.h"
#include "platform/RegistryStore.h"
#include "settings/GlobalEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace e2e {

namespace {

constexpr qint64 kHangLimitMs = 180000;

} // namespace

const char *wireName(Wire wire) { return wire == Wire::Pty ? "Pty" : "Tcp"; }

Bytes radioPart(const cmcEeprom &image)
{
    Bytes bytes(kRadioBytes);
    image.ReadBlock(0, bytes.data(), static_cast<std::int32_t>(kRadioBytes));
    return bytes;
}

ModelRig::ModelRig()
{
    installEnvironment(&settings_);
    model = std::make_unique<indMain>();
    model->BuildWindow();
    model->InstallCloneDrivers(std::make_unique<cmcCloneDrv>(countedCloneTransports(ledger_)),
                               std::make_unique<imcCloneDrv>());
}

ModelRig::~ModelRig()
{
    model.reset();
    radio_.reset();
    installEnvironment(nullptr);
}

void ModelRig::useDevice(const std::string &device)
{
    platform::RegistryStore::writeString(PortMap::settingsKey(), PortMap::overrideName(kComPort),
                                         device);
    settings_.portSelect = 0;
    settings_.comPort = kComPort;
}

void ModelRig::useTcp(quint16 port, const std::string &address)
{
    settings_.portSelect = 1;
    settings_.ipAddress = address;
    settings_.tcpPort = port;
}

bool ModelRig::startRadio(Wire wire, Bytes memory, vradio::RadioSetup setup)
{
    radio_ = std::make_unique<TamperingRadio>(std::move(memory), std::move(setup), &ledger_);
    if (wire == Wire::Pty) {
        const std::string device = radio_->startOnPty();
        useDevice(device);
        return !device.empty();
    }
    const quint16 port = radio_->startOnTcp();
    useTcp(port);
    return port != 0;
}

bool ModelRig::runUntilRest()
{
    indCloneMan &manager = model->CloneManager();
    QTimer wakeUp;
    wakeUp.start(5);
    QElapsedTimer clock;
    clock.start();
    while (manager.IsBusy()) {
        if (clock.elapsed() > kHangLimitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

Bytes ModelRig::documentLayout(bool intoDocument, const std::function<void(cmcEeprom &)> &change)
{
    namespace wl = working_layout;
    cmcEeprom image;
    image.CopyFrom(model->WorkingImage());
    image_words::write32(image, wl::kChannelMain, 145500000);
    image_words::write16(image, wl::kChannelCount,
                         std::max<std::uint16_t>(image_words::read16(image, wl::kChannelCount), 1));
    // As this program stores it, so that reading it back and writing it
    // again gives the same memory.
    model->BeforeSave(image, true);
    if (change)
        change(image);
    if (intoDocument)
        model->WorkingImage().CopyFrom(image);
    model->Conversion().WorkingToRadio(image, false);
    return radioPart(image);
}

std::string ModelRig::saveMemory(const Bytes &memory, const std::string &name)
{
    const std::string path = tempPath(name);
    EXPECT_TRUE(vradio::MemoryFile::save(path, memory)) << path;
    return path;
}

std::string ModelRig::tempPath(const std::string &name) const
{
    return folder_.path().toStdString() + "/" + name;
}

} // namespace e2e
