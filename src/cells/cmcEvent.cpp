#include "cells/cmcEvent.h"

#include <algorithm>

std::string cmcEvent::text() const
{
    return std::string(data.begin(), std::find(data.begin(), data.end(), '\0'));
}
