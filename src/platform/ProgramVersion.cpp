#include "platform/ProgramVersion.h"

namespace platform {

// The build passes the project version to this file alone, so a new version
// recompiles one file.
const char *programVersion() { return QUILLON_VERSION; }

const char *programBuildDate() { return QUILLON_BUILD_DATE; }

} // namespace platform
