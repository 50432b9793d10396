#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the value codecs share: reading keys, filtering and reading typed
// numbers, stepping within a range and starting the in-place editor.

// Typed numbers are cut to this many characters before they are read.
inline constexpr std::size_t kTypedNumberLength = 9;

// The key of a key request on a grid the user works in; 0 for anything else
// (keys mean nothing on paper or in a menu).
std::int32_t keyOf(const CodecRequest &request);

bool isDigitKey(std::int32_t key);
// Space (next value) or Backspace (previous value).
bool isStepKey(std::int32_t key);
// Keys that may start the editor with themselves: ASCII 33..126.
bool isPrintableKey(std::int32_t key);

// The characters of `text` that are digits or listed in `extra`, at most
// `limit` of them.
std::string keepDigitsAnd(std::string_view text, std::string_view extra,
                          std::size_t limit = std::string_view::npos);

// `text` without the spaces, tabs and line ends around it.
std::string_view trimmed(std::string_view text);

// A typed number: the digits and `extra` characters of `text`, cut to nine
// characters, read as a real number as far as they form one ("1.2.3" reads
// 1.2). Nothing when the text holds no digit: such an entry leaves the value
// alone. Independent of the user's locale.
std::optional<double> typedNumber(std::string_view text, std::string_view extra);

// Round half away from zero, limited to the 64-bit range.
std::int64_t roundHalfAway(double value);

// At either end of a range a step either stops or goes round to the other end.
enum class RangeEnds : std::uint8_t { Wrap, Saturate };

// `value` + `delta` within minimum..maximum (a maximum below the minimum
// counts as the minimum).
std::int32_t stepWithin(std::int64_t value, std::int64_t delta, std::int32_t minimum,
                        std::int32_t maximum, RangeEnds ends);

// Space adds `by` to the value, Backspace takes it off (stepWithin).
std::int32_t stepByKey(std::int32_t key, std::int64_t value, std::int64_t by, std::int32_t minimum,
                       std::int32_t maximum, RangeEnds ends);

std::int64_t clampTo(std::int64_t value, std::int32_t minimum, std::int32_t maximum);

// "%Nd.%0Md"-style numbers end in a fraction; removes up to `zeros` trailing
// '0' characters of the fraction and then a '.' left at the end.
std::string trimFraction(std::string text, int zeros);

// Answers that start the in-place editor: with the typed key as the whole
// text and the caret after it; with `text` wholly selected; with the caret at
// `caret`.
CodecAnswer editStartingWith(std::int32_t key);
CodecAnswer editSelectingAll(std::string text);
CodecAnswer editWithCaretAt(std::string text, std::int32_t caret);

// The end of most codecs' answers: the cell shows `shown` unless the answer
// opens the editor with a text of its own, and `current` is the new value
// when it differs from the `stored` one.
CodecAnswer answerShowing(CodecAnswer answer, std::string shown, std::int32_t stored,
                          std::int32_t current);

// A text-database line, or cmcFCache::kErrorText without a database.
std::string namedText(const CodecRequest &request, const char *key);

// ASCII 32..126: the characters a text cell takes as typed.
bool isPrintableAscii(std::int32_t key);
bool isHexDigitKey(std::int32_t key);

std::string upperCased(std::string_view text);
// The typed text starts with the letters o and f, in either case ("Off").
bool startsWithOff(std::string_view text);

// A number kept in a value of bytes as four bytes, most significant first
// (CellStorage::recordBytes); 0 when the bytes end before it.
std::int32_t numberAt(CellCodec::Bytes bytes, std::size_t at);
void setNumberAt(CellBytes &bytes, std::size_t at, std::int32_t number);

// The answer's bytes when they differ from the stored ones.
void answerBytes(CodecAnswer &answer, CellCodec::Bytes stored, CellBytes bytes);
