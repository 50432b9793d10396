#pragma once

#include "platform/cmcBuff.h"

#include <string>
#include <string_view>

// Hex text as the clone scripts and logs write it: "FEFE EE EF E4".
// Every character that is not a hex digit is skipped; digits pair up into
// bytes in order, and an odd last digit becomes the high nibble of a final
// byte.
cmcBuff BytesFromHex(std::string_view text);

// Each byte of the text (embedded zero bytes included) as two upper-case hex
// digits.
std::string HexFromText(std::string_view text);
