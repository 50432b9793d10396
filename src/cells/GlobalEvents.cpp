#include "cells/GlobalEvents.h"

#include "cells/CellColours.h"
#include "cells/EventCodes.h"
#include "cells/cmcEvMan.h"

#include <cstdint>

namespace {

void *statusTextColour() { return reinterpret_cast<void *>(std::uintptr_t{kColourWindowText}); }

constexpr std::intptr_t kStatusBackground = kColourBtnFace;

} // namespace

cmcEvMan &eventManager()
{
    static cmcEvMan manager;
    return manager;
}

void sendStatusText(std::string_view text)
{
    eventManager().SendText(kEvStatusText, statusTextColour(), kStatusBackground, text);
}

void postStatusText(std::string_view text)
{
    eventManager().PostText(kEvStatusText, statusTextColour(), kStatusBackground, text);
}
