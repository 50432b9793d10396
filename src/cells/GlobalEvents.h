#pragma once

class cmcEvMan;

// The program's one event manager; it lives for the whole run.
cmcEvMan &eventManager();
