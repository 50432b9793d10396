#include "cells/ModelCapabilities.h"

#include "cells/CellHost.h"
#include "image/cmcEeprom.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

bool ModelCapabilities::IsLmr() const { return environment().modelType == 0; }

bool ModelCapabilities::IsPmr() const { return environment().modelType == 1; }

bool ModelCapabilities::DigitalEnabled() const
{
    CellHost *host = cellHost();
    if (host == nullptr || !(IsLmr() || IsPmr()))
        return false;
    return (host->WorkingImage().GetByte(kDigitalFunctionByte) & kDigitalFunctionBit) != 0;
}

bool ModelCapabilities::MakerMode() const
{
    CellHost *host = cellHost();
    return host != nullptr && host->MakerMode();
}

const ModelCapabilities &ModelCapabilities::Installed()
{
    static const ModelCapabilities installed;
    return installed;
}
