#pragma once

#include <string_view>

class cmcEvMan;

// The program's one event manager; it lives for the whole run.
cmcEvMan &eventManager();

// The status bar's text in its usual colours (window text on the button
// face): sent shows it at once, posted shows it after the events already
// queued, so that a cursor move clearing the status does not wipe it.
void sendStatusText(std::string_view text);
void postStatusText(std::string_view text);
