#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <string>
#include <string_view>

// What the digit, text and picker codecs share: the key a request acts
// with, answers that start the in-place editor, typed-text clean-up and the
// numbers kept inside values of bytes.

// The key of a key request on a grid the user works in; 0 for anything
// else (keys mean nothing on paper or in a menu).
std::int32_t actingKey(const CodecRequest &request);
// ASCII 32..126.
bool isPrintableAscii(std::int32_t key);
bool isHexDigitKey(std::int32_t key);

// The in-place editor with `text` wholly selected; with the typed key as
// the whole text and the caret after it.
CodecAnswer editorSelectingAll(std::string text);
CodecAnswer editorStartingWith(std::int32_t key);

std::string_view trimmed(std::string_view text);
std::string upperCased(std::string_view text);
// The typed text starts with the letters o and f, in either case ("Off").
bool startsWithOff(std::string_view text);

// A number kept in a value of bytes as four bytes, most significant first
// (CellStorage::recordBytes); 0 when the bytes end before it.
std::int32_t numberAt(CellCodec::Bytes bytes, std::size_t at);
void setNumberAt(CellBytes &bytes, std::size_t at, std::int32_t number);

// The answer's bytes when they differ from the stored ones.
void answerBytes(CodecAnswer &answer, CellCodec::Bytes stored, CellBytes bytes);
