#include "RadioSession.h"

#include "CliTexts.h"

#include "link/PortMap.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "platform/RegistryStore.h"
#include "settings/GlobalEnvironment.h"

#include <QEventLoop>
#include <QTimer>

#include <csignal>
#include <iostream>

using platform::RegistryStore;

namespace {

constexpr int kRestPollMs = 10;

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) { g_interrupted = 1; }

// Without SA_RESTART, so that Ctrl+C at a question on the terminal ends the
// question (answered Cancel) instead of leaving the user stuck in it.
struct sigaction g_previousInterrupt;

void catchInterrupts()
{
    g_interrupted = 0;
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &g_previousInterrupt);
}

void releaseInterrupts() { sigaction(SIGINT, &g_previousInterrupt, nullptr); }

} // namespace

RadioSession::RadioSession(const CloneOptions &options)
    : settings_(indEnviron::Detached::ReadOnlyStore), messages_(options.yes)
{
    platform::MessageService::install(&messages_);
    installEnvironment(&settings_);
    std::string error;
    if (!openInstalledTexts()) {
        std::cerr << "quillon-cli: the overlay files are missing beside the program\n";
        setupFailure_ = kStopped;
        return;
    }
    if (!applyLinkOptions(options, settings_, error) ||
        (options.link == CloneOptions::Link::Device &&
         !mapDevice(options.device, settings_.comPort))) {
        std::cerr << "quillon-cli: " << (error.empty() ? "cannot map the device" : error) << '\n';
        setupFailure_ = kUsage;
        return;
    }
    model_ = std::make_unique<indMain>();
    // The cells, and with them the warning check, answer the installed model.
    installModelObject(model_.get());
    model_->BuildWindow();
    model_->SetCloneProgressView(&progress_);
    catchInterrupts();
}

RadioSession::~RadioSession()
{
    if (model_ != nullptr)
        releaseInterrupts();
    if (model_ != nullptr && modelObject() == model_.get())
        installModelObject(nullptr);
    model_.reset();
    if (storeSwitched_)
        RegistryStore::setBackingFile(previousStore_);
    installEnvironment(nullptr);
    platform::MessageService::install(nullptr);
}

// The port map looks overrides up in the settings store; the user's store
// is only read, so the override goes into a private copy of the store for
// this run.
bool RadioSession::mapDevice(const std::string &device, std::int32_t comPort)
{
    if (!portStore_.isValid())
        return false;
    previousStore_ = RegistryStore::backingFile();
    RegistryStore::setBackingFile(portStore_.filePath("ports.ini").toStdString());
    storeSwitched_ = true;
    return RegistryStore::writeString(PortMap::settingsKey(), PortMap::overrideName(comPort),
                                      device);
}

void RadioSession::waitForRest()
{
    indCloneMan &manager = model_->CloneManager();
    if (!manager.IsBusy())
        return;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kRestPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (g_interrupted != 0) {
            g_interrupted = 0;
            interruptPending_ = true;
        }
        if (interruptPending_)
            takeInterrupt();
        if (!manager.IsBusy())
            loop.quit();
    });
    poll.start();
    loop.exec();
}

// An interrupt that finds nothing to stop (between two operations of a
// chain) waits for the next one.
void RadioSession::takeInterrupt()
{
    indCloneMan &manager = model_->CloneManager();
    if (manager.Cancel()) {
        interruptPending_ = false;
        std::cerr << "\nquillon-cli: stopping; nothing is written\n";
        return;
    }
    const CloneProgress progress = manager.Progress();
    if (manager.IsBusy() && progress.kind == clonekind::kWrite && !progress.cancellable) {
        interruptPending_ = false;
        if (!toldWriteGoesOn_)
            std::cerr << "\nquillon-cli: the write goes on to its end; stopping now would "
                         "leave the radio half-written\n";
        toldWriteGoesOn_ = true;
    }
}

int RadioSession::outcome(std::int32_t kind) const
{
    const indCloneMan &manager = model_->CloneManager();
    if (manager.LastCode() == clonecode::kCancelled) {
        std::cerr << "quillon-cli: cancelled\n";
        return kInterrupted;
    }
    if (manager.LastCode() != 0) {
        std::cerr << "quillon-cli: clone result code " << manager.LastCode() << '\n';
        return manager.LastCode();
    }
    return manager.LastKind() == kind ? 0 : kStopped;
}
