#include "codecs/OptionCodecs.h"

#include "cells/cmcFCache.h"
#include "codecs/CodecBasics.h"

#include <string>

namespace {

struct OptionParams {
    std::string listKey;
    std::int32_t style = 1;
};

CodecAnswer showOption(const OptionParams &params, std::int32_t value, const CodecRequest &request)
{
    return answerOption(params.listKey, params.style, value, request);
}

CodecAnswer showOptionByte(const OptionParams &params, std::int32_t value,
                           const CodecRequest &request)
{
    CodecAnswer answer = answerOption(params.listKey, params.style, value & 0xFF, request);
    if (answer.value)
        answer.value = (value & ~0xFF) | (*answer.value & 0xFF);
    return answer;
}

} // namespace

std::string optionText(const CodecRequest &request, std::string_view listKey, std::int32_t style,
                       std::int32_t item)
{
    if (request.formats == nullptr)
        return cmcFCache::kErrorText;
    return request.formats->Text(listKey, style, item);
}

CodecAnswer answerOption(std::string_view listKey, std::int32_t style, std::int32_t item,
                         const CodecRequest &request)
{
    if (request.kind == CodecRequest::Kind::Chosen && request.chosenStyle == style)
        return {.text = optionText(request, listKey, style, request.chosenEntry),
                .value = request.chosenEntry};

    CodecAnswer answer{.text = optionText(request, listKey, style, item)};
    const std::int32_t key = keyOf(request);
    if (isStepKey(key)) {
        // The text above built the cache entry that stepping needs.
        const std::optional<std::int32_t> next =
            request.formats != nullptr
                ? request.formats->Step(listKey, style, item, key == CodecRequest::kSpace ? 1 : -1)
                : std::nullopt;
        if (next && *next != item) {
            answer.value = *next;
            answer.text = optionText(request, listKey, style, *next);
        }
    } else if (key == CodecRequest::kEnter) {
        answer.open = CodecOpen::List(std::string(listKey), style, item);
    }
    return answer;
}

CellCodec editOption(const char *listKey, std::int32_t style)
{
    return CellCodec(showOption, OptionParams{listKey, style});
}

CellCodec editOptionByte(const char *listKey, std::int32_t style)
{
    return CellCodec(showOptionByte, OptionParams{listKey, style});
}
