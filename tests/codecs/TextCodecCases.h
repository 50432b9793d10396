#pragma once

#include "cells/CellCodec.h"
#include "cells/cmcFCache.h"
#include "textdb/cmcGTex.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The digit, text and picker codecs as tables of (codec, stored value,
// request) -> answer. Requests come from a cell on a grid the user works in
// and read the lists and texts of tests/fixtures/codecs/text-codecs.ovl.
namespace text_codec_cases {

constexpr std::int32_t kSpace = CodecRequest::kSpace;
constexpr std::int32_t kBackspace = CodecRequest::kBackspace;
constexpr std::int32_t kEnter = CodecRequest::kEnter;

struct FixtureTexts {
    FixtureTexts() { texts.Open(testing_support::fixtureDir() + "codecs/text-codecs.ovl"); }
    cmcGTex texts;
    cmcFCache formats{texts};
};

inline FixtureTexts &fixtureTexts()
{
    static FixtureTexts texts;
    return texts;
}

inline CodecRequest onGrid(CodecRequest::Kind kind, std::int32_t context = 0)
{
    CodecRequest request;
    request.kind = kind;
    request.interactive = true;
    request.context = context;
    request.texts = &fixtureTexts().texts;
    request.formats = &fixtureTexts().formats;
    return request;
}

inline CodecRequest draw(std::int32_t context = 0)
{
    return onGrid(CodecRequest::Kind::Draw, context);
}

inline CodecRequest key(std::int32_t code, std::int32_t context = 0)
{
    CodecRequest request = onGrid(CodecRequest::Kind::Key, context);
    request.code = code;
    return request;
}

// `text` must outlive the request (the tables use literals).
inline CodecRequest typed(const char *text, std::int32_t context = 0)
{
    CodecRequest request = onGrid(CodecRequest::Kind::Typed, context);
    request.typed = text;
    return request;
}

inline CodecRequest chosen(std::int32_t style, std::int32_t entry, const char *text = "",
                           std::int32_t context = 0)
{
    CodecRequest request = onGrid(CodecRequest::Kind::Chosen, context);
    request.chosenStyle = style;
    request.chosenEntry = entry;
    request.typed = text;
    return request;
}

inline CodecRequest withRecord(CodecRequest request, const datCh *record)
{
    request.record = record;
    return request;
}

// What opens: the kind, and for an editor its selection, for a list its
// sheet, style, entry and tag.
struct Opens {
    CodecOpen::Kind kind = CodecOpen::Kind::Nothing;
    std::string key{};
    std::int32_t style = 0;
    std::int32_t current = 0;
    std::string tag{};
    std::int32_t selectionStart = 0;
    std::int32_t selectionLength = 0;
};

inline Opens editor(std::int32_t start, std::int32_t length)
{
    return {.kind = CodecOpen::Kind::Editor, .selectionStart = start, .selectionLength = length};
}

inline Opens list(std::string sheet, std::int32_t style, std::int32_t current, std::string tag = {})
{
    return {.kind = CodecOpen::Kind::List,
            .key = std::move(sheet),
            .style = style,
            .current = current,
            .tag = std::move(tag)};
}

inline void expectOpens(const CodecOpen &open, const Opens &expected)
{
    EXPECT_EQ(open.kind, expected.kind);
    if (expected.kind == CodecOpen::Kind::Editor) {
        EXPECT_EQ(open.selectionStart, expected.selectionStart);
        EXPECT_EQ(open.selectionLength, expected.selectionLength);
    }
    if (expected.kind == CodecOpen::Kind::List) {
        EXPECT_EQ(open.key, expected.key);
        EXPECT_EQ(open.style, expected.style);
        EXPECT_EQ(open.current, expected.current);
        EXPECT_EQ(open.listTag, expected.tag);
    }
}

// Codecs of numbers.
struct ValueCase {
    const char *name;
    CellCodec codec;
    std::int32_t stored;
    CodecRequest request;
    std::string text;
    std::optional<std::int32_t> changed{};
    Opens opens{};

    std::int32_t Stored() const { return stored; }
    static const std::optional<std::int32_t> &Changed(const CodecAnswer &answer)
    {
        return answer.value;
    }
};

// Codecs of bytes.
struct BytesCase {
    const char *name;
    CellCodec codec;
    CellBytes stored;
    CodecRequest request;
    std::string text;
    std::optional<CellBytes> changed{};
    Opens opens{};

    CellCodec::Bytes Stored() const { return stored; }
    static const std::optional<CellBytes> &Changed(const CodecAnswer &answer)
    {
        return answer.bytes;
    }
};

template <class Case>
void runCases(const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CodecAnswer answer = c.codec(c.Stored(), c.request);
        EXPECT_EQ(answer.text, c.text);
        EXPECT_EQ(Case::Changed(answer), c.changed);
        expectOpens(answer.open, c.opens);
    }
}

// `text` as bytes, filled with `fill` to `size`.
inline CellBytes textBytes(const std::string &text, std::size_t size, std::uint8_t fill = ' ')
{
    CellBytes bytes(text.begin(), text.end());
    bytes.resize(size, fill);
    return bytes;
}

} // namespace text_codec_cases
