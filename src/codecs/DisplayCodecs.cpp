#include "codecs/DisplayCodecs.h"

#include <string>

namespace {

struct NumberParams {
    std::int32_t offset = 0;
    std::int32_t width = 0;
};

CodecAnswer showCellText(std::int32_t, const CodecRequest &request)
{
    return {.text = std::string(request.cellText)};
}

CodecAnswer showNumber(const NumberParams &params, std::int32_t value, const CodecRequest &)
{
    std::string text = std::to_string(static_cast<std::int64_t>(value) + params.offset);
    if (text.size() < static_cast<std::size_t>(params.width))
        text.insert(0, static_cast<std::size_t>(params.width) - text.size(), ' ');
    return {.text = text};
}

} // namespace

CellCodec cellText() { return CellCodec(showCellText); }

CellCodec entryNumber(std::int32_t offset, std::int32_t width)
{
    return CellCodec(showNumber, NumberParams{offset, width});
}
