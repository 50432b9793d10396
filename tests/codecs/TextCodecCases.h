#pragma once

#include "CodecCases.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The digit, text and picker codecs as tables of (codec, stored value,
// request) -> answer. Requests come from a cell on a grid the user works in
// and read the lists and texts of tests/fixtures/codecs/codecs.ovl.
namespace text_codec_cases {

using codec_cases::chosen;
using codec_cases::draw;
using codec_cases::fixtureTexts;
using codec_cases::kBackspace;
using codec_cases::kEnter;
using codec_cases::key;
using codec_cases::kSpace;
using codec_cases::typed;
using codec_cases::withContext;

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
