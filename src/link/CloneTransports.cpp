#include "link/CloneTransports.h"

#include "link/cmcComm.h"
#include "link/cmcTcpClient.h"

CloneTransports makeCloneTransports()
{
    return {std::make_unique<cmcComm>(), std::make_unique<cmcTcpClient>()};
}
