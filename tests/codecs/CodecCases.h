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

// Codec tests are tables of (codec, stored value, request) -> answer. The
// requests come from a cell on a grid the user works in and read the
// option lists and texts of tests/fixtures/codecs.

namespace codec_cases {

constexpr std::int32_t kSpace = CodecRequest::kSpace;
constexpr std::int32_t kBackspace = CodecRequest::kBackspace;
constexpr std::int32_t kEnter = CodecRequest::kEnter;

// The fixture overlay and a format cache over it, for the whole program.
struct FixtureTexts {
    FixtureTexts() { texts.Open(testing_support::fixtureDir() + "codecs/codecs.ovl"); }
    cmcGTex texts;
    cmcFCache formats{texts};
};

inline FixtureTexts &fixtureTexts()
{
    static FixtureTexts texts;
    return texts;
}

// `context` is the second value a codec reads beside its own (a font size,
// a group code).
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

inline CodecRequest key(std::int32_t code, bool shift = false)
{
    CodecRequest request = onGrid(CodecRequest::Kind::Key);
    request.code = code;
    request.shift = shift;
    return request;
}

// The same key where no user works (printing, a menu).
inline CodecRequest keyOffGrid(std::int32_t code)
{
    CodecRequest request = key(code);
    request.interactive = false;
    return request;
}

inline CodecRequest withContext(CodecRequest request, std::int32_t context)
{
    request.context = context;
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

// What the answer must hold. The editor and its selection are checked only
// when `opens` says Editor.
struct Expected {
    std::string text;
    std::optional<std::int32_t> value{};
    CodecOpen::Kind opens = CodecOpen::Kind::Nothing;
    std::int32_t selectionStart = 0;
    std::int32_t selectionLength = 0;
};

inline Expected editor(std::string text, std::int32_t start, std::int32_t length)
{
    return {.text = std::move(text),
            .opens = CodecOpen::Kind::Editor,
            .selectionStart = start,
            .selectionLength = length};
}

// The editor starting with the typed key, caret after it.
inline Expected editorWith(char key) { return editor(std::string(1, key), 1, 0); }

// The editor with `text` wholly selected.
inline Expected editorSelecting(std::string text)
{
    const auto length = static_cast<std::int32_t>(text.size());
    return editor(std::move(text), 0, length);
}

struct Case {
    const char *name;
    CellCodec codec;
    std::int32_t stored;
    CodecRequest request;
    Expected expected;
};

inline void expectAnswer(const CodecAnswer &answer, const Expected &expected)
{
    EXPECT_EQ(answer.text, expected.text);
    EXPECT_EQ(answer.value, expected.value);
    EXPECT_EQ(answer.open.kind, expected.opens);
    if (expected.opens == CodecOpen::Kind::Editor) {
        EXPECT_EQ(answer.open.selectionStart, expected.selectionStart);
        EXPECT_EQ(answer.open.selectionLength, expected.selectionLength);
    }
}

inline void runCases(const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        expectAnswer(c.codec(c.stored, c.request), c.expected);
    }
}

} // namespace codec_cases
