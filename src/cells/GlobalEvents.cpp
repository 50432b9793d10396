#include "cells/GlobalEvents.h"

#include "cells/cmcEvMan.h"

cmcEvMan &eventManager()
{
    static cmcEvMan manager;
    return manager;
}
