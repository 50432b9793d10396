#include "platform/FatalError.h"

#include "platform/ProgramDir.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
FatalDisplay g_display = nullptr;
}

void setFatalDisplay(FatalDisplay display) { g_display = display; }

void fatalError(const std::string &caption, const std::string &text)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    if (g_display != nullptr) {
        // Clear first so that a fault inside the display cannot recurse.
        FatalDisplay display = g_display;
        g_display = nullptr;
        display(caption, text);
    }
    std::abort();
}

void fatalError(const std::string &text) { fatalError(programFileName(), text); }

std::string formatText(const char *format, const std::string &argument)
{
    std::string out;
    for (const char *p = format; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += argument;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

} // namespace platform
