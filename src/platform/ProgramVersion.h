#pragma once

namespace platform {

// The program's version as the build was told it ("0.1"): what --version
// prints, the package carries and the About box shows.
const char *programVersion();

} // namespace platform
