// Feeds arbitrary bytes to the text database as an overlay file (and as an
// item array) and looks keys and lines up in it. Lookups that would stop the
// program go through the non-fatal path; everything else must neither crash
// nor hang nor read out of bounds.

#include "textdb/cmcGTex.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string scratchFile()
{
    static const std::string path = "/tmp/fuzz_overlay_" + std::to_string(::getpid()) + ".ovl";
    return path;
}

std::vector<std::string> keysIn(const std::string &text)
{
    std::vector<std::string> keys{"End_Of_Ovl", "", "GI_Sys_AppTitle"};
    size_t start = 0;
    while (start < text.size() && keys.size() < 64) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start + 1 && text[start] == '#') {
            std::string name = text.substr(start + 1, end - start - 1);
            if (!name.empty() && name.back() == '\r')
                name.pop_back();
            keys.push_back(name);
        }
        start = end + 1;
    }
    return keys;
}

void exercise(cmcGTex &db, FuzzedDataProvider &input, const std::vector<std::string> &keys)
{
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const std::string key = input.ConsumeBool()
                                    ? keys[input.ConsumeIntegralInRange<size_t>(0, keys.size() - 1)]
                                    : input.ConsumeRandomLengthString(16);
        const int index = input.ConsumeIntegralInRange<int>(-2, 80);
        std::string line;
        db.TryGetLine(key, index, line);
        db.HasKey(key);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool asItems = input.ConsumeBool();
    const std::string text = input.ConsumeRandomLengthString(64 * 1024);
    const std::vector<std::string> keys = keysIn(text);

    cmcGTex db;
    std::vector<std::string> items;
    if (asItems) {
        size_t start = 0;
        while (start <= text.size()) {
            const size_t end = text.find('\n', start);
            items.push_back(text.substr(start, end == std::string::npos ? end : end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        db.SetItems(&items);
    } else {
        std::FILE *file = std::fopen(scratchFile().c_str(), "wb");
        if (file == nullptr)
            return 0;
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        db.Open(scratchFile());
    }
    exercise(db, input, keys);
    return 0;
}
