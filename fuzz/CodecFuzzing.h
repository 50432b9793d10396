#pragma once

// What the codec fuzzers share: the overlay their codecs read, the input
// helpers and the checks every answer must pass.

#include "cells/CellCodec.h"
#include "cells/cmcFCache.h"
#include "textdb/cmcGTex.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace codec_fuzzing {

using Input = FuzzedDataProvider;

// The option lists and texts, held for the whole run.
struct FuzzTexts {
    explicit FuzzTexts(std::vector<std::string> overlay) : lines(std::move(overlay))
    {
        texts.SetItems(&lines);
    }
    std::vector<std::string> lines;
    cmcGTex texts;
    cmcFCache formats{texts};
};

inline std::int32_t intIn(Input &in, std::int32_t low, std::int32_t high)
{
    return in.ConsumeIntegralInRange<std::int32_t>(low, high);
}

[[noreturn]] inline void fail(const char *codec, const char *what)
{
    std::fprintf(stderr, "%s: %s\n", codec, what);
    std::abort();
}

inline bool selectionInside(const CodecOpen &open, std::size_t textLength)
{
    const auto length = static_cast<std::int64_t>(textLength);
    const std::int64_t start = open.selectionStart;
    return start >= 0 && start <= length && open.selectionLength >= 0 &&
           open.selectionLength <= length - start;
}

// Half of the requests read the texts: codecs must also cope without them.
inline void maybeWithTexts(Input &in, CodecRequest &request, FuzzTexts &texts)
{
    if (in.ConsumeBool()) {
        request.texts = &texts.texts;
        request.formats = &texts.formats;
    }
}

// A draw opens nothing; an editor's selection lies within its text.
inline void checkAnswer(const char *codec, const CodecRequest &request, const CodecAnswer &answer)
{
    if (request.kind == CodecRequest::Kind::Draw && answer.open.kind != CodecOpen::Kind::Nothing)
        fail(codec, "a draw opened something");
    if (answer.open.kind == CodecOpen::Kind::Editor &&
        !selectionInside(answer.open, answer.text.size()))
        fail(codec, "the editor's selection lies outside its text");
}

} // namespace codec_fuzzing
