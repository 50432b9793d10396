#pragma once

#include "link/cmcTransport.h"

#include <memory>

// The two links a clone driver owns for its whole life.
struct CloneTransports {
    std::unique_ptr<cmcTransport> serial;
    std::unique_ptr<cmcTransport> tcp;
};

// The real serial port and TCP bridge transports.
CloneTransports makeCloneTransports();
