#pragma once

#include "image/cmcEeprom.h"

#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

namespace vrc_test {

constexpr int32_t kWorkingImageSize = 110839;

// Lines joined with a line end after each (after the last too unless told).
std::string joinLines(const std::vector<std::string> &lines, const std::string &end = "\r\n",
                      bool finalEnd = true);

// The content of tests/fixtures/clonefile/full-radio.vrc (make_fixtures.py).
uint8_t fullRadioByte(int32_t address);
std::string fullRadioPath();
// An image of the given size holding the full-radio content in 0x0000-0xFF7F.
void fillWithFullRadio(cmcEeprom &image, int32_t size = kWorkingImageSize);
// Bytes that no clone file fixture holds, to see whether a read touched them.
void fillWithMarker(cmcEeprom &image, int32_t size = kWorkingImageSize);

// Gives the main text database (once per test program) the keys the clone
// file messages read: caption "Quillon test", headline "File error" and, for
// each code's key, "Text of <key>" followed by a second line never shown.
void useMessageTexts();

// A private folder for the files a test writes.
class TempFolder
{
public:
    std::string path(const std::string &name) const;
    std::string write(const std::string &name, const std::string &content) const;
    std::vector<std::string> fileNames() const;

private:
    QTemporaryDir dir_;
};

} // namespace vrc_test
