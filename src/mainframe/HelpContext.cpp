#include "mainframe/HelpContext.h"

#include "cells/CellIdentifiers.h"
#include "cells/cmcFCache.h"
#include "image/cmcEeprom.h"
#include "textdb/cmcGTex.h"
#include "textdb/cmcHelpGTex.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace help_context {

namespace {

// Cells that hold a function show it as an option of a selection sheet;
// their help is the help of that function.
enum class Direction { Any, Input, Output };

struct Family {
    std::int32_t firstLabel;
    std::int32_t lastLabel;
    std::int32_t labelStep; // labels of one family between two of its cells
    // Offset of the function's byte for the n-th label of the family.
    std::int32_t (*offset)(std::int32_t n, std::int32_t index);
    Direction direction; // external port lines: the direction bit decides
    const char *sheet;
    std::int32_t listLabel;
    const char *topicKey;
    bool auxTexts;
    std::optional<std::int32_t> ownTextValue; // a value named by its own key
    const char *ownTextKey;
};

// The direction byte of an external port line comes just before its
// function byte.
constexpr std::int32_t kPortPairs = 0x1A750;
constexpr std::uint8_t kPortInputBit = 0x80;

constexpr std::int32_t kScanKeyValue = 5;

const Family kFamilies[] = {
    {CL_KDisp_Key_Conv_P0, CL_KDisp_Key_Conv_P4, 1,
     [](std::int32_t n, std::int32_t) { return 0x10EBF + n; }, Direction::Any,
     "GI_Sheet_Sel_Keys_Conv_Pmr_Dpmr_Popup", FlexMark, "GI_AppItem_Key_Assign_Topic_ID", false,
     kScanKeyValue, "GI_Sheet_Sel_KDisp_Scan_B_Key"},
    {CL_KDisp_Key_Shift_P0, CL_KDisp_Key_Shift_P4, 1,
     [](std::int32_t n, std::int32_t) { return 0x10ED4 + n; }, Direction::Any,
     "GI_Sheet_Sel_Keys_Conv_Pmr_Dpmr_Popup", FlexMark, "GI_AppItem_Key_Assign_Topic_ID", false,
     kScanKeyValue, "GI_Sheet_Sel_KDisp_Scan_B_Key"},
    {CL_KDisp_Key_Conv_DialCw, CL_KDisp_Key_Conv_DialCcw, 1,
     [](std::int32_t n, std::int32_t) { return 0x10EC7 + n; }, Direction::Any,
     "GI_Sheet_Sel_Dials_Conv_Popup", FlexMark, "GI_AppItem_Dial_Assign_Topic_ID", false,
     std::nullopt, nullptr},
    {CL_KDisp_Key_Shift_DialCw, CL_KDisp_Key_Shift_DialCcw, 1,
     [](std::int32_t n, std::int32_t) { return 0x10EDC + n; }, Direction::Any,
     "GI_Sheet_Sel_Dials_Conv_Popup", FlexMark, "GI_AppItem_Dial_Assign_Topic_ID", false,
     std::nullopt, nullptr},
    // The status list is stored in two blocks; the second one starts at
    // message 223.
    {CL_Digi_Msg_Status_Action, CL_Digi_Msg_Status_Action, 1,
     [](std::int32_t, std::int32_t i) { return (i < 223 ? 0x1707E : 0x168EE) + 16 * i; },
     Direction::Any, "GI_Sheet_Sel_Digital_Status_Action_Popup", FlexMark,
     "GI_AppItem_DigStatus_Act_Assign_Topic_ID", true, std::nullopt, nullptr},
    {CL_Digi_CallAlert_Action, CL_Digi_CallAlert_Action, 1,
     [](std::int32_t, std::int32_t) { return 0x1770E; }, Direction::Any,
     "GI_Sheet_Sel_Digital_CAlert_Action_Popup", FlexMark,
     "GI_AppItem_DigCAlert_Act_Assign_Topic_ID", true, std::nullopt, nullptr},
    {CL_Dpmr_Msg_Status_Action, CL_Dpmr_Msg_Status_Action, 1,
     [](std::int32_t, std::int32_t i) { return 0x19D14 + 17 * i; }, Direction::Any,
     "GI_Sheet_Sel_Dpmr_Status_Action_Popup", FlexMark, "GI_AppItem_DpmrStatus_Act_Assign_Topic_ID",
     true, std::nullopt, nullptr},
    {CL_Dtmf_Decode_Action, CL_Dtmf_Decode_Action, 1,
     [](std::int32_t, std::int32_t i) { return 0x1A53D + 54 * i; }, Direction::Any,
     "GI_Sheet_Sel_DTMF_Action_Popup", FlexMark, "GI_AppItem_Dtmf_Act_Assign_Topic_ID", true,
     std::nullopt, nullptr},
    // Each port line has its own label followed by its direction and logic
    // labels.
    {CL_ExtPort_InOut_1, CL_ExtPort_InOut_9, CL_ExtPort_InOut_2 - CL_ExtPort_InOut_1,
     [](std::int32_t n, std::int32_t) { return kPortPairs + 2 * n + 1; }, Direction::Input,
     "GI_Sheet_Sel_Input_Port_Conv_Pmr_Dpmr_Popup", FlexMark2,
     "GI_AppItem_ExtPort_Input_Assign_Topic_ID", false, std::nullopt, nullptr},
    {CL_ExtPort_InOut_1, CL_ExtPort_InOut_9, CL_ExtPort_InOut_2 - CL_ExtPort_InOut_1,
     [](std::int32_t n, std::int32_t) { return kPortPairs + 2 * n + 1; }, Direction::Output,
     "GI_Sheet_Sel_Output_Port_Conv_Rep_Popup", FlexMark,
     "GI_AppItem_ExtPort_Output_Assign_Topic_ID", false, std::nullopt, nullptr},
    {CL_ExtPort_DA_1, CL_ExtPort_DA_1, 1, [](std::int32_t, std::int32_t) { return 0x1A763; },
     Direction::Any, "GI_Sheet_Sel_DA_Port_Conv_Rep_Popup", Flex0,
     "GI_AppItem_ExtPort_DA_Assign_Topic_ID", false, std::nullopt, nullptr},
    {CL_ExtPort_AD_1, CL_ExtPort_AD_1, 1, [](std::int32_t, std::int32_t) { return 0x1A762; },
     Direction::Any, "GI_Sheet_Sel_AD_Port_Conv_Rep_Popup", Flex0,
     "GI_AppItem_ExtPort_AD_Assign_Topic_ID", false, std::nullopt, nullptr},
};

const char *const kPlainTopicKey = "GI_AppItem_Topic_ID";
const char *const kContextKey = "GI_AppItem_Context_ID";

// The first DTMF code entries are codes; entry 10 is the station's own id.
constexpr std::int32_t kDtmfOwnIdIndex = 10;

bool directionMatches(Direction direction, std::int32_t functionOffset, const cmcEeprom &image)
{
    if (direction == Direction::Any)
        return true;
    const bool input = (image.GetByte(functionOffset - 1) & kPortInputBit) != 0;
    return input == (direction == Direction::Input);
}

// The four action lists name the external AUX output's three actions
// themselves, in this order, from value 26 on.
std::optional<std::string> auxText(std::int32_t value)
{
    static const char *const kTexts[] = {"AUX OFF", "AUX ON", "AUX Momentary"};
    if (value < 26 || value > 37)
        return std::nullopt;
    return kTexts[(value - 26) % 3];
}

std::string functionText(const Family &family, std::int32_t value, cmcGTex &texts,
                         cmcFCache &formats)
{
    if (family.auxTexts) {
        if (std::optional<std::string> aux = auxText(value))
            return *aux;
    }
    // An overlay without the function lists has no texts for the functions,
    // which must not end the program on a help request.
    if (family.ownTextValue == value)
        return texts.HasKey(family.ownTextKey) ? texts.GetLine(family.ownTextKey, 0)
                                               : cmcFCache::kErrorText;
    if (!texts.HasKey(std::string(family.sheet) + "_Cells"))
        return cmcFCache::kErrorText;
    return formats.Text(family.sheet, family.listLabel, value);
}

std::string_view fieldOf(std::string_view line, int field)
{
    const std::size_t tab = line.find('\t');
    if (field == 0)
        return line.substr(0, tab);
    if (tab == std::string_view::npos)
        return {};
    const std::string_view rest = line.substr(tab + 1);
    return rest.substr(0, rest.find('\t'));
}

// Calls visit(line) for the lines of `key` up to the closing "#" line, until
// visit returns false. A list without its closing line ends where the
// overlay ends, rather than ending the program on a help request.
template <typename Visit>
void forEachListLine(cmcHelpGTex &overlay, const std::string &key, Visit visit)
{
    std::string line;
    for (int index = 0; overlay.TryGetLine(key, index, line) && line != "#"; ++index)
        if (!visit(std::string_view(line)))
            return;
}

} // namespace

Topic topicOf(std::int32_t label, std::int32_t index, const cmcEeprom &image, cmcGTex &texts,
              cmcFCache &formats)
{
    if (label == CL_Dtmf_Code && index == kDtmfOwnIdIndex)
        label = CL_Dtmf_CodeID;
    for (const Family &family : kFamilies) {
        if (label < family.firstLabel || label > family.lastLabel ||
            (label - family.firstLabel) % family.labelStep != 0)
            continue;
        const std::int32_t offset =
            family.offset((label - family.firstLabel) / family.labelStep, index);
        // A cell index beyond the image (a fault of a sheet) has no help.
        if (!image.IsValidAddress(offset - 1) || !image.IsValidAddress(offset))
            return {cmcFCache::kErrorText, family.topicKey};
        if (!directionMatches(family.direction, offset, image))
            continue;
        return {functionText(family, image.GetByte(offset), texts, formats), family.topicKey};
    }
    return {std::string(cellLabelName(label)), kPlainTopicKey};
}

int contextOf(cmcHelpGTex &overlay, const Topic &topic)
{
    std::string topicId = " ";
    forEachListLine(overlay, topic.key, [&](std::string_view line) {
        if (fieldOf(line, 0) != topic.text)
            return true;
        topicId = fieldOf(line, 1);
        return false;
    });
    std::string context = " ";
    forEachListLine(overlay, kContextKey, [&](std::string_view line) {
        if (fieldOf(line, 0) == topicId)
            context = fieldOf(line, 1);
        return !context.empty();
    });
    return leadingNumber(context);
}

int leadingNumber(const std::string &text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

} // namespace help_context
