#pragma once

#include <cstdio>
#include <string>

namespace platform {

// Writes a text file without ever destroying the file it replaces: the text
// goes to a temporary file in the same folder, which is flushed to disk and
// renamed over the target only by commit(). Lines are written with CR LF,
// the line end the file formats were defined with.
class SafeFileWriter
{
public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    bool open(const std::string &path);
    // Writes text in which every '\n' becomes CR LF. False once any write failed.
    bool writeText(const std::string &text);
    // Flushes, syncs and renames into place; false (and the target untouched) on failure.
    bool commit();
    // Drops the temporary file; the target stays as it was.
    void abandon();

    bool failed() const { return failed_; }

private:
    std::FILE *file_ = nullptr;
    std::string target_;
    std::string temporary_;
    bool failed_ = false;
};

} // namespace platform
