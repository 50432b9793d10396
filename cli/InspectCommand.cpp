#include "InspectCommand.h"

#include "ChannelListing.h"
#include "CliTexts.h"
#include "CommandTable.h"
#include "SheetCommand.h"

#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/ImageWords.h"
#include "image/LayoutConversion.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int32_t kWorkingImageSize = 110839;
constexpr int32_t kDumpBytes = 64;

struct HeaderSeen {
    int modelCode = -1;
    int subCode = -1;
};

// The model's own check, noting the codes on the way for the report.
bool noteHeader(void *context, int modelCode, int subCode, int *error)
{
    auto *seen = static_cast<HeaderSeen *>(context);
    seen->modelCode = modelCode;
    seen->subCode = subCode;
    return clone_file_policy::acceptHeader(nullptr, modelCode, subCode, error);
}

void printDump(const cmcEeprom &image)
{
    std::printf("first %d bytes:\n", kDumpBytes);
    for (int32_t row = 0; row < kDumpBytes; row += 16) {
        std::printf("  %04X ", static_cast<unsigned>(row));
        std::string text;
        for (int32_t a = row; a < row + 16; ++a) {
            const uint8_t byte = image.GetByte(a);
            std::printf(" %02X", unsigned{byte});
            text += byte >= 32 && byte < 127 ? static_cast<char>(byte) : '.';
        }
        std::printf("  %s\n", text.c_str());
    }
}

// The radio layout's parameter table as the program reads it: entries that
// lie outside the radio's memory are not listed.
void printDirectory(cmcEeprom &image)
{
    namespace wl = working_layout;
    using image_words::read16;
    if (!LayoutConversion(LayoutContext{}).LoadDirectory(image)) {
        std::printf("parameter table: none\n");
        return;
    }
    const int declared = std::min<int>(read16(image, wl::kTableHeader + 4), wl::kDirectoryEntries);
    std::printf("parameter table: base %04X, %d entries\n",
                unsigned{read16(image, wl::kBaseAddress)}, declared);
    std::printf("     id  size  count  address\n");
    for (int k = 0; k < declared; ++k) {
        const int32_t at = wl::kDirectoryCopy + wl::kDirectoryEntrySize * k;
        std::printf("  %5u %5u  %5u     %04X\n", unsigned{read16(image, at)},
                    unsigned{read16(image, at + 2)}, unsigned{read16(image, at + 4)},
                    unsigned{read16(image, at + 6)});
    }
}

// The memory channels in use, as the model type's channel sheet shows them:
// only a file the program opens has them.
void printChannels(const std::string &path, bool overlayOpened)
{
    std::printf("memory channels in use:");
    if (!overlayOpened) {
        std::printf(" not shown, the overlay files are not installed beside the program\n");
        return;
    }
    indMain model;
    installModelObject(&model);
    model.BuildWindow();
    // The file was read above; what is left is the model's refusal, which
    // the model has told on standard error.
    std::vector<std::string> lines;
    const bool opened = loadCloneFile(model, path) == 0;
    if (opened)
        lines = channelListing(model);
    installModelObject(nullptr);
    if (!opened) {
        std::printf(" not shown, the program does not open this file\n");
        return;
    }
    std::printf("\n");
    for (const std::string &line : lines)
        std::printf("%s\n", line.c_str());
    if (lines.size() <= 1)
        std::printf("  none\n");
}

void printReport(const std::string &path, const HeaderSeen &header, const cmcVrcFile &file,
                 cmcEeprom &image)
{
    std::printf("file:         %s\n", path.c_str());
    std::printf("model code:   %04X\n", static_cast<unsigned>(header.modelCode));
    std::printf("sub-code:     %04X\n", static_cast<unsigned>(header.subCode));
    if (file.GetMapRevision() < 0)
        std::printf("map revision: none\n");
    else
        std::printf("map revision: %d\n", file.GetMapRevision());
    std::printf("bytes loaded: %d\n", static_cast<int>(file.GetLoadedCount()));
    printDump(image);
    printDirectory(image);
}

} // namespace

int runInspectCommand(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 1) {
        printCommandUsage("inspect", stderr);
        return 2;
    }
    const std::string &path = arguments[0];
    // Without the overlays the file's layout is still shown.
    const bool overlayOpened = openInstalledTexts();

    cmcEeprom image;
    image.SetSize(kWorkingImageSize);
    HeaderSeen header;
    cmcVrcFile file;
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    file.SetHeaderCheck(noteHeader, &header);
    file.SetReportErrors(false);
    const int result = file.Read(path, clone_file_policy::fileRanges());
    if (result != cmcVrcFile::ErrNone) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), fileErrorText(result).c_str());
        return kFileErrorExitBase + result;
    }
    printReport(path, header, file, image);
    printChannels(path, overlayOpened);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
