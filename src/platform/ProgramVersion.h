#pragma once

namespace platform {

// The program's version as the build was told it ("0.1"): what --version
// prints, the package carries and the About box shows.
const char *programVersion();
// The day the program was built, "2026-12-10": what the About box shows
// beside the version.
const char *programBuildDate();

} // namespace platform
