#include "LineLedger.h"

#include <algorithm>

namespace e2e {

void LineLedger::programOpenedPort()
{
    // The flush drops the radio's unread answers and, on a pseudo-terminal,
    // the program's bytes the radio has not read: settle both as arrived.
    programSent_ = std::min(programSent_, radioRead_);
    programRead_ = std::max(programRead_, radioSent_);
}

void LineLedger::programConnected()
{
    ++connectsMade_;
    programSent_ = 0;
    programRead_ = 0;
}

void LineLedger::programWithdrew(std::uint64_t bytes)
{
    programSent_ -= std::min(bytes, programSent_);
}

void LineLedger::radioTookConnection()
{
    ++connectsTaken_;
    radioRead_ = 0;
    radioSent_ = 0;
    radioHolding_ = false;
}

void LineLedger::radioStepped(bool holding)
{
    radioHolding_ = holding;
    ++radioSteps_;
}

bool LineLedger::quiet() const
{
    if (!radioAttached_)
        return true;
    // Counts compare as "at least": a settled flush or a withdrawn queue may
    // leave one side ahead, never behind.
    return connectsTaken_ >= connectsMade_ && radioRead_ >= programSent_ &&
           programRead_ >= radioSent_ && !radioHolding_;
}

} // namespace e2e
