#include "settings/GlobalEnvironment.h"

#include "settings/indEnviron.h"

namespace {
indEnviron *g_installed = nullptr;
}

indEnviron &environment()
{
    if (g_installed != nullptr)
        return *g_installed;
    static indEnviron defaults(indEnviron::Detached::Defaults);
    return defaults;
}

void installEnvironment(indEnviron *environment) { g_installed = environment; }
