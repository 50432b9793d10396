#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <string>
#include <string_view>

// Values chosen from an option list: a selection sheet of the text database
// whose entries carry the list's style as their label and the option's value
// as their index. The texts and the stepping order come from the format
// cache.

// The option index. Space and Backspace step to the next and previous option
// in the list's order, Enter opens the list with the style (1 or 4), and
// the list's answer becomes the value.
CellCodec editOption(const char *listKey, std::int32_t style);

// The same on the low byte of the value; the other bits stay as they are.
CellCodec editOptionByte(const char *listKey, std::int32_t style);

// The text of option `item`; the format cache's "error" for an option the
// list does not hold.
std::string optionText(const CodecRequest &request, std::string_view listKey, std::int32_t style,
                       std::int32_t item);

// The option codec's answer for option `item` of list `listKey`, for codecs
// that keep an option index beside other things (a tone is an option of its
// list or a code of its own).
CodecAnswer answerOption(std::string_view listKey, std::int32_t style, std::int32_t item,
                         const CodecRequest &request);
