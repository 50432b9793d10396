#include "sheets/ModelCapabilities.h"

#include "image/GlobalModel.h"
#include "image/cmcEeprom.h"
#include "image/indMain.h"
#include "shell/GlobalEnvironment.h"
#include "shell/indEnviron.h"

bool ModelCapabilities::IsLmr() const { return environment().modelType == 0; }

bool ModelCapabilities::IsPmr() const { return environment().modelType == 1; }

bool ModelCapabilities::DigitalEnabled() const
{
    indMain *model = modelObject();
    if (model == nullptr || !(IsLmr() || IsPmr()))
        return false;
    return (model->WorkingImage().GetByte(kDigitalFunctionByte) & kDigitalFunctionBit) != 0;
}

bool ModelCapabilities::MakerMode() const
{
    indMain *model = modelObject();
    return model != nullptr && model->MakerMode();
}

const ModelCapabilities &ModelCapabilities::Installed()
{
    static const ModelCapabilities installed;
    return installed;
}
