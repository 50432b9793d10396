// Feeds arbitrary bytes to the clone file reader as a file and reads it into
// a working-size image with the model's checks. Whatever the input, the
// reader must neither crash nor hang nor read out of bounds, and a refused
// file must leave the image exactly as it was.

#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/cmcEeprom.h"
#include "platform/MessageService.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int32_t kWorkingImageSize = 110839;

// Refusals are expected by the million; answer them without a word.
class SilentMessageService : public platform::MessageService
{
public:
    platform::MessageResult show(const std::string &, const std::string &, platform::MessageIcon,
                                 platform::MessageButtons) override
    {
        return platform::MessageResult::Ok;
    }
};

void setUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    static SilentMessageService silent;
    platform::MessageService::install(&silent);
    // The message routine still builds its text, so every key it reads exists.
    static std::vector<std::string> items = {"#GI_Sys_AppTitle", "fuzz",
                                             "#GI_Mess_FileErr_Headline", "error"};
    for (int code = 1; code <= 9; ++code)
        items.insert(items.end(), {std::string("#") + cmcVrcFile::ErrorKey(code), "text"});
    items.push_back("#End_Of_Ovl");
    mainTextDatabase().SetItems(&items);
}

std::string scratchFile()
{
    static const std::string path = "/tmp/fuzz_clonefile_" + std::to_string(::getpid()) + ".vrc";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    setUpOnce();
    std::FILE *out = std::fopen(scratchFile().c_str(), "wb");
    if (out == nullptr)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    static const RangeList fileRanges = clone_file_policy::fileRanges();
    static cmcEeprom image;
    static cmcEeprom before;
    // With the ranges as the model reads files; without, so that the lines
    // of a partial file get stored as well and must be taken back on failure.
    for (const RangeList *ranges : {&fileRanges, static_cast<const RangeList *>(nullptr)}) {
        image.SetSize(kWorkingImageSize);
        image.Fill(0xA5);
        before.CopyFrom(image);
        cmcVrcFile file;
        file.SetImage(&image);
        clone_file_policy::applyTo(file);
        const int result =
            ranges != nullptr ? file.Read(scratchFile(), *ranges) : file.Read(scratchFile());
        if (result != cmcVrcFile::ErrNone && image.Differs(before))
            std::abort();
        if (result == cmcVrcFile::ErrNone && ranges != nullptr && file.GetLoadedCount() != 0xFF80)
            std::abort();
    }
    return 0;
}
